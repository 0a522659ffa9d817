#include <gtest/gtest.h>

#include "core/errors.h"
#include "ui/grid_layout_file.h"

namespace tavrel {
namespace {

TEST(GridLayoutFileTest, ALayoutReadsBackAsItWasWritten) {
    GridLayoutState state;
    state.columns = {{QStringLiteral("CLIENTES.NM_CLIENTE"), true, 2, 180},
                     {QStringLiteral("CHEQUES.VL_CHEQUE"), false, 0, 0},
                     {QStringLiteral("clientes_1.nm_cliente"), true, 1, 95}};
    state.groups = {QStringLiteral("CHEQUES.CD_STATUS"), QStringLiteral("CLIENTES.NM_CLIENTE")};
    const GridLayoutState read =
        readGridLayout(writeGridLayout(state), QStringLiteral("clientes.lay"));
    ASSERT_EQ(read.columns.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(read.columns[i].field, state.columns[i].field);
        EXPECT_EQ(read.columns[i].visible, state.columns[i].visible);
        EXPECT_EQ(read.columns[i].position, state.columns[i].position);
        EXPECT_EQ(read.columns[i].width, state.columns[i].width);
    }
    EXPECT_EQ(read.groups, state.groups);
}

TEST(GridLayoutFileTest, AnythingElseIsRefusedWithItsName) {
    const QList<QByteArray> foreign = {
        "",
        "not json at all",
        "[1, 2, 3]",
        R"({"format": "other-program", "version": 1, "columns": []})",
        R"({"format": "tavrel-grid-layout", "version": 7, "columns": []})",
        R"({"format": "tavrel-grid-layout", "version": 1})",
        R"({"format": "tavrel-grid-layout", "version": 1, "columns": [{"visible": true}]})",
        R"({"format": "tavrel-grid-layout", "version": 1, "columns": [], "groups": [3]})",
        QByteArray("\x89PNG\r\n\x1a\n\0\0", 10),
    };
    for (const QByteArray& bytes : foreign) {
        try {
            readGridLayout(bytes, QStringLiteral("x.lyt"));
            ADD_FAILURE() << "accepted: " << bytes.toStdString();
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), error_number::kFileAccess);
            EXPECT_TRUE(error.description().startsWith(
                QStringLiteral("O arquivo x.lyt não é um lay-out de grade")))
                << error.description().toStdString();
        }
    }
}

TEST(GridLayoutFileTest, AMissingFileIsAFileAccessError) {
    EXPECT_THROW(loadGridLayout(QStringLiteral("/no/such/folder/clientes.lay")), AppError);
    EXPECT_THROW(saveGridLayout(QStringLiteral("/no/such/folder/clientes.lay"), {}), AppError);
}

}  // namespace
}  // namespace tavrel
