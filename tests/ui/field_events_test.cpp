// Leaving fields and pressing commands, as every screen gets them from the screen base.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "support/fixture.h"
#include "ui/field_events.h"
#include "ui/screen.h"

namespace tavrel {
namespace {

// A screen with three fields and one command, "&Gravar", shown and active.
class FieldEventsTest : public test::AppFixture {
protected:
    FieldEventsTest() {
        screen = new Screen(context, "fcampos");
        auto* layout = new QVBoxLayout(screen);
        for (const char* name : {"a", "b", "c"}) {
            auto* field = new QLineEdit(screen);
            field->setObjectName(name);
            layout->addWidget(field);
        }
        gravar = new QPushButton("&Gravar", screen);
        layout->addWidget(gravar);
        QObject::connect(gravar, &QPushButton::clicked, [this] { events << "gravar"; });
        screen->show();
        activate(screen);
    }

    QLineEdit* field(const char* name) { return control<QLineEdit>(screen, name); }

    Screen* screen = nullptr;
    QPushButton* gravar = nullptr;
    QStringList events;
};

TEST_F(FieldEventsTest, EnterOnAFocusedCommandPressesItOnce) {
    gravar->setFocus();
    QTest::keyClick(gravar, Qt::Key_Return);
    QTest::keyClick(gravar, Qt::Key_Enter);
    EXPECT_EQ(events, (QStringList{"gravar", "gravar"}));

    // A default button is pressed by Qt itself, not a second time.
    events.clear();
    gravar->setDefault(true);
    QTest::keyClick(gravar, Qt::Key_Return);
    EXPECT_EQ(events, QStringList{"gravar"});
}

TEST_F(FieldEventsTest, TheAltKeyOfACommandLeavesTheFieldFirst) {
    onLeave(field("a"), [this] { events << "sai a"; });
    field("a")->setFocus();
    QTest::keyClick(field("a"), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(events, (QStringList{"sai a", "gravar"}));
    EXPECT_EQ(QApplication::focusWidget(), gravar);
}

TEST_F(FieldEventsTest, AFieldThatKeepsTheFocusStopsTheCommand) {
    onLeave(field("a"), [this] {
        events << "sai a";
        field("a")->setFocus();  // refuses what was typed
    });
    field("a")->setFocus();
    QTest::keyClick(field("a"), Qt::Key_G, Qt::AltModifier);
    QTest::mouseClick(gravar, Qt::LeftButton);
    EXPECT_EQ(events, (QStringList{"sai a", "sai a"}));
    EXPECT_EQ(QApplication::focusWidget(), field("a"));
    EXPECT_FALSE(gravar->isDown());
}

// A leaving procedure that sends the focus elsewhere: the field the focus was heading to is
// neither entered nor left, the new one is entered once and works as a focused field.
TEST_F(FieldEventsTest, FocusMovesOfALeavingProcedureTakeEffectWhenItReturns) {
    onLeave(field("a"), [this] {
        events << "sai a";
        field("c")->setFocus();
    });
    onLeave(field("b"), [this] { events << "sai b"; });
    onEnter(field("b"), [this] { events << "entra b"; });
    onEnter(field("c"), [this] { events << "entra c"; });
    field("a")->setFocus();
    leave(screen, "a");  // a Tab towards b
    EXPECT_EQ(events, (QStringList{"sai a", "entra c"}));
    EXPECT_EQ(QApplication::focusWidget(), field("c"));
    EXPECT_TRUE(field("c")->hasFocus());

    // The next Tab leaves c normally.
    onLeave(field("c"), [this] { events << "sai c"; });
    leave(screen, "c");
    EXPECT_EQ(events.last(), "sai c");
}

TEST_F(FieldEventsTest, ALeavingProcedureThatPutsTheFocusBackLeavesTheFieldFocused) {
    onLeave(field("a"), [this] { field("a")->setFocus(); });
    onLeave(field("b"), [this] { events << "sai b"; });
    field("a")->setFocus();
    leave(screen, "a");
    EXPECT_EQ(QApplication::focusWidget(), field("a"));
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
    // The field takes typing again.
    QTest::keyClicks(field("a"), "12");
    EXPECT_EQ(field("a")->text(), "12");
}

// Enter presses a command on every screen the program registers.
TEST_F(FieldEventsTest, EnterPressesACommandOnEveryScreen) {
    for (const char* formName :
         {"fprincipal", "fclientes", "fusuarios", "flistanegra", "fferiados", "fparametros",
          "fhistoricos", "FTROCA", "fcontas", "flancamentos", "finstalacao", "fsair"}) {
        QWidget* opened = open(QString::fromLatin1(formName));
        ASSERT_NE(opened, nullptr) << formName;
        auto* probe = new QPushButton("Sonda", opened);
        probe->show();
        int pressed = 0;
        QObject::connect(probe, &QPushButton::clicked, [&pressed] { ++pressed; });
        activate(opened);
        probe->setFocus();
        QTest::keyClick(probe, Qt::Key_Return);
        EXPECT_EQ(pressed, 1) << formName;
        opened->close();
    }
}

}  // namespace
}  // namespace tavrel
