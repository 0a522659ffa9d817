#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QToolBox>
#include <QToolButton>

#include "app/fprincipal.h"
#include "app/key_states.h"
#include "app/version.h"
#include "log/operation_log.h"
#include "support/fixture.h"
#include "ui/screen.h"

namespace tavrel {
namespace {

class MainMenuTest : public test::AppFixture {
protected:
    // Stands in for a screen another module builds; records that it was opened.
    void fakeScreen(const QString& formName) {
        screens->add(formName, [this, formName](Context& ctx, QWidget* parent) {
            opened << formName;
            return new Screen(ctx, formName, parent);
        });
    }
    fprincipal* openMenu() {
        menu = qobject_cast<fprincipal*>(open("fprincipal"));
        return menu;
    }
    void addCheque(const QString& deposit, const QString& status) {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_DOCUMENTO, DT_DEPOSITO, CD_STATUS) "
            "VALUES ('00001', ?, ?, ?)",
            {deposit + status, deposit, status});
    }
    QStringList statuses() {
        QStringList result;
        for (const QVariantList& row :
             rows("SELECT DT_DEPOSITO || ' ' || CD_STATUS FROM CHEQUES ORDER BY DT_DEPOSITO, id"))
            result << row[0].toString();
        return result;
    }

    QStringList opened;
    fprincipal* menu = nullptr;
};

TEST_F(MainMenuTest, ShowsTheLoginValuesTheDataFolderAndTheVersion) {
    openMenu();
    EXPECT_EQ(menu->windowTitle(), "Tavrel Troca de Cheques - " + programVersion());
    EXPECT_EQ(text(menu, "usuario"), "Supervisor");
    EXPECT_EQ(text(menu, "codigouser"), "001");
    EXPECT_EQ(text(menu, "Panel1"), dataDir.path());
    EXPECT_EQ(text(menu, "Panel2"), "");
    EXPECT_EQ(text(menu, "Panel3"), "CAPS");
    EXPECT_EQ(text(menu, "Panel4"), "INS");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(MainMenuTest, TheButtonBarHasSevenGroupsAndTheMenuRowsInOrder) {
    openMenu();
    auto* bar = control<QToolBox>(menu, "ButtonBar1");
    ASSERT_EQ(bar->count(), 7);
    const QStringList captions = {"Cadastros",  "Lançamentos", "Consultas", "Relatórios",
                                  "Parâmetros", "Caixa",       "B.I."};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(bar->itemText(i), captions[i]);
        EXPECT_FALSE(bar->itemIcon(i).isNull());
    }
    // Every shipped row, under its key "K" + opcao + grupo, in the group of its number.
    EXPECT_EQ(value("SELECT COUNT(*) FROM CONFIG", {}, DatabaseKind::Menu).toInt(), 21);
    const auto rowsOfMenu =
        rows("SELECT GRUPO, OPCAO, descricao, ds_tootip FROM CONFIG", {}, DatabaseKind::Menu);
    for (const QVariantList& row : rowsOfMenu) {
        const QString key = QString("K%1%2").arg(row[1].toInt()).arg(row[0].toInt());
        auto* entry = control<QToolButton>(menu, key);
        ASSERT_NE(entry, nullptr) << key.toStdString();
        EXPECT_EQ(entry->text(), row[2].toString());
        EXPECT_EQ(entry->toolTip(), row[3].toString());
        EXPECT_EQ(entry->parentWidget(), bar->widget(row[0].toInt() - 1));
        EXPECT_FALSE(entry->icon().isNull());
    }
}

TEST_F(MainMenuTest, WithNoMenuRowsTheSevenGroupsAreEmpty) {
    exec("DELETE FROM CONFIG", {}, DatabaseKind::Menu);
    openMenu();
    auto* bar = control<QToolBox>(menu, "ButtonBar1");
    ASSERT_EQ(bar->count(), 7);
    EXPECT_TRUE(menu->findChildren<QToolButton*>(QRegularExpression("^K")).isEmpty());
}

TEST_F(MainMenuTest, AnEntryOpensByItsPositionInTheGroupWhateverItsCaptionOrNumber) {
    exec("DELETE FROM CONFIG", {}, DatabaseKind::Menu);
    for (const QVariantList& row : QList<QVariantList>{{2, 7, "Cubo"},
                                                       {2, 9, "Clientes"},
                                                       {2, 12, "Nada"},
                                                       {7, 3, "Troca"},
                                                       {9, 1, "Sem grupo"}}) {
        exec("INSERT INTO CONFIG (GRUPO, OPCAO, opcoes, descricao) VALUES (?, ?, 3, ?)", row,
             DatabaseKind::Menu);
    }
    for (const char* name : {"FTROCA", "flistanegra", "fcubovendas", "fclientes", "FDEVOLVIDOS"}) {
        fakeScreen(name);
    }
    openMenu();
    click(menu, "K72");  // lowest opcao of group 2, captioned "Cubo"
    EXPECT_EQ(opened, QStringList{"FTROCA"});
    click(menu, "K92");
    EXPECT_EQ(opened, (QStringList{"FTROCA", "flistanegra"}));
    click(menu, "K37");  // group 7, first entry
    EXPECT_EQ(opened.last(), "fcubovendas");
    click(menu, "K122");  // group 2, third position: the returned cheques
    EXPECT_EQ(opened.last(), "FDEVOLVIDOS");
    EXPECT_EQ(menu->findChild<QToolButton*>("K19"), nullptr) << "no group 9 in the bar";
}

TEST_F(MainMenuTest, TheFixedTableOfPositions) {
    const QStringList names = {
        "fclientes",          "fusuarios",        "ftutorial",   "FTROCA",       "flistanegra",
        "FDEVOLVIDOS",        "fparcelas",        "fferiados",   "FRECOMPRA",    "fconsultacliente",
        "fconsultadocumento", "fconsultaperiodo", "frelatorios", "frelcliente",  "fparametros",
        "fmostralog",         "fhistoricos",      "fcontas",     "flancamentos", "fcubovendas"};
    for (const QString& name : names) {
        if (!screens->has(name))
            fakeScreen(name);
    }
    openMenu();
    int clientReports = 0;
    menu->setRelatorioClientes([&clientReports] { ++clientReports; });
    const int groupSizes[] = {3, 6, 3, 3, 2, 3, 1};
    QStringList seen;
    for (int grupo = 1; grupo <= 7; ++grupo) {
        for (int position = 1; position <= groupSizes[grupo - 1] + 1; ++position) {
            const QWidgetList before = QApplication::topLevelWidgets();
            menu->abreOpcao(grupo, position);
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!before.contains(window) && window->isVisible())
                    seen << window->objectName();
            }
        }
    }
    EXPECT_EQ(seen, names);
    EXPECT_EQ(clientReports, 1) << "group 4, first position prints the clients report";
}

TEST_F(MainMenuTest, SettlesTodaysAndPastOpenChequesButNotTomorrowsOnce) {
    addCheque("2026-12-07", "A");
    addCheque("2026-12-08", "A");
    addCheque("2026-12-09", "A");
    addCheque("2026-11-30", "C");
    addCheque("2026-11-30", "B");
    addCheque("", "A");
    openMenu();
    click(menu, "Command3");
    EXPECT_EQ(text(menu, "BAIXAS"), "2");
    EXPECT_EQ(statuses(), (QStringList{" A", "2026-11-30 C", "2026-11-30 B", "2026-12-07 B",
                                       "2026-12-08 B", "2026-12-09 A"}));
    click(menu, "Command3");
    EXPECT_EQ(text(menu, "BAIXAS"), "0") << "the first press settled them";
    EXPECT_TRUE(dialogs.shown().empty()) << "no question, no message";
    EXPECT_TRUE(QDir(programDir.path()).entryList({"FC*.log"}).isEmpty()) << "no log line";

    clock.set(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
    click(menu, "Command3");
    EXPECT_EQ(text(menu, "BAIXAS"), "1") << "tomorrow's cheque is due the next day";
}

TEST_F(MainMenuTest, TheDayCommandsThePictureAndHelpOpenWhatExists) {
    openMenu();
    const int windows = QApplication::topLevelWidgets().size();
    menu->ajuda();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows) << "no help file: nothing opens";
    EXPECT_TRUE(desktop.opened.isEmpty()) << "no help file in the data folder";

    for (const char* name : {"fbaixas", "fbaixasperiodo", "ffaleconosco"})
        fakeScreen(name);
    QFile help(dataDir.filePath("tavrel.hlp"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    click(menu, "Command4");
    click(menu, "Command5");
    QTest::mouseClick(control(menu, "Image2"), Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{"fbaixas", "fbaixasperiodo", "ffaleconosco"}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QApplication::setActiveWindow(menu);
    QTest::keyClick(menu->windowHandle(), Qt::Key_F1);
    EXPECT_EQ(desktop.opened, QStringList{dataDir.filePath("tavrel.hlp")});
}

TEST_F(MainMenuTest, TheBackgroundPictureComesFromTheProgramFolder) {
    openMenu();
    EXPECT_TRUE(control<QLabel>(menu, "fundo")->pixmap().isNull());
    EXPECT_TRUE(dialogs.shown().empty()) << "a missing picture is no error";
    delete menu;

    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    ASSERT_TRUE(picture.save(programDir.filePath("imagem.jpg"), "JPG"));
    openMenu();
    EXPECT_FALSE(control<QLabel>(menu, "fundo")->pixmap().isNull());
}

TEST_F(MainMenuTest, OnlyTheExitScreensOkClosesTheProgramAndLogsTheLogOff) {
    openMenu();
    EXPECT_FALSE(menu->windowFlags() & Qt::WindowCloseButtonHint);
    int ended = 0;
    menu->setEncerramento([&ended] { ++ended; });
    menu->close();
    EXPECT_TRUE(menu->isVisible()) << "closing the window any other way is ignored";

    click(menu, "Command1");
    QWidget* exit = menu->findChild<QWidget*>("fsair");
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(exit->isVisible());
    EXPECT_EQ(exit->windowTitle(), "Sair do Sistema");
    EXPECT_EQ(text(exit, "Label1"), "Deseja realmente sair do sistema ?");
    click(exit, "Command1");  // "Retornar"
    EXPECT_FALSE(exit->isVisible());
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(programFileLines(operationLogFileName("001", clock.today())).isEmpty());

    click(menu, "Command1");
    QWidget* again = nullptr;
    for (QWidget* candidate : menu->findChildren<QWidget*>("fsair")) {
        if (candidate->isVisible())
            again = candidate;
    }
    ASSERT_NE(again, nullptr);
    click(again, "cmdOK");
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(programFileLines(operationLogFileName("001", clock.today())),
              (QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-"
                           "************EFETUOU LOG OFF NO SISTEMA************-**",
                           QString(113, '-')}));
    EXPECT_TRUE(menu->close()) << "after the exit screen's Ok the window may close";
}

TEST(KeyStates, CapsLockFollowsItsKeyAndTheLettersTypedInsertItsKey) {
    KeyStates keys;
    EXPECT_FALSE(keys.capsLock());
    EXPECT_TRUE(keys.insert());
    auto press = [&keys](int key, const QString& text, Qt::KeyboardModifiers modifiers = {}) {
        return keys.observe(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    EXPECT_TRUE(press(Qt::Key_CapsLock, {}));
    EXPECT_TRUE(keys.capsLock());
    EXPECT_TRUE(press(Qt::Key_A, "a"));
    EXPECT_FALSE(keys.capsLock()) << "a small letter without Shift: Caps Lock is off";
    EXPECT_TRUE(press(Qt::Key_B, "B"));
    EXPECT_TRUE(keys.capsLock()) << "a capital without Shift: Caps Lock is on";
    EXPECT_FALSE(press(Qt::Key_C, "c", Qt::ShiftModifier));
    EXPECT_TRUE(keys.capsLock()) << "Shift with Caps Lock gives small letters";
    EXPECT_FALSE(press(Qt::Key_1, "1"));
    EXPECT_TRUE(keys.capsLock()) << "digits say nothing";
    EXPECT_TRUE(press(Qt::Key_Insert, {}));
    EXPECT_FALSE(keys.insert());
}

TEST_F(MainMenuTest, TheStatusBarShowsTheKeyStates) {
    openMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_FALSE(control(menu, "Panel3")->isEnabled());
    EXPECT_TRUE(control(menu, "Panel4")->isEnabled());
    QTest::keyClick(menu->windowHandle(), Qt::Key_Insert);
    QTest::keyClick(menu->windowHandle(), Qt::Key_CapsLock);
    EXPECT_TRUE(control(menu, "Panel3")->isEnabled());
    EXPECT_FALSE(control(menu, "Panel4")->isEnabled());
}

}  // namespace
}  // namespace tavrel
