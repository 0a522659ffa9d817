#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "support/fixture.h"
#include "ui/field_events.h"
#include "ui/screen.h"

namespace tavrel {
namespace {

class ScreenFactoryTest : public test::AppFixture {};

TEST_F(ScreenFactoryTest, OpensByFormNameAndIgnoresUnknownNames) {
    int built = 0;
    screens->add("fteste", [&built](Context& ctx, QWidget* parent) {
        ++built;
        return new Screen(ctx, "fteste", parent);
    });
    EXPECT_EQ(screens->open("fnaoexiste"), nullptr);
    QWidget* screen = screens->open("fteste");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "fteste");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(built, 1);
}

TEST_F(ScreenFactoryTest, OpeningAScreenAlreadyOpenShowsThatCopy) {
    int built = 0;
    screens->add("fteste", [&built](Context& ctx, QWidget* parent) {
        ++built;
        return new Screen(ctx, "fteste", parent);
    });
    QWidget* first = screens->open("fteste");
    EXPECT_EQ(screens->open("fteste"), first);
    first->hide();  // as after a preview
    EXPECT_EQ(screens->open("fteste"), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(built, 1);

    // Closed, it is gone even before its deletion has run: the next opening makes a new one.
    first->close();
    QWidget* second = screens->open("fteste");
    EXPECT_NE(second, first);
    EXPECT_EQ(built, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(screens->open("fteste"), second);
    EXPECT_EQ(built, 2);
}

TEST_F(ScreenFactoryTest, ModalScreensRunThroughTheModalRunner) {
    screens->add("fmodal",
                 [](Context& ctx, QWidget* parent) { return new Screen(ctx, "fmodal", parent); });
    QString seen;
    screens->setModalRunner([&seen](QWidget* screen) {
        seen = screen->objectName();
        screen->close();
    });
    EXPECT_TRUE(screens->openModal("fmodal"));
    EXPECT_EQ(seen, "fmodal");
    EXPECT_FALSE(screens->openModal("fnaoexiste"));
}

TEST_F(ScreenFactoryTest, LeavingAFieldRunsItsProcedureAndEnterMovesOn) {
    auto* screen = new Screen(context, "fcampos");
    auto* first = new QLineEdit(screen);
    first->setObjectName("primeiro");
    auto* second = new QLineEdit(screen);
    second->setObjectName("segundo");
    second->move(0, 40);
    QStringList left;
    onLeave(first, [&left] { left << "primeiro"; });
    enterActsAsTab(first);
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    screen->activateWindow();

    leave(screen, "primeiro");
    EXPECT_EQ(left, QStringList{"primeiro"});

    first->setFocus();
    press(screen, "primeiro", Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), second);
}

}  // namespace
}  // namespace tavrel
