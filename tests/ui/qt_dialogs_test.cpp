// The real message boxes: Qt's own Portuguese buttons, and questions that fit the screen.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "support/printers.h"
#include "ui/qt_dialogs.h"

namespace tavrel {
namespace {

// What a message box showed before the test answered it.
struct SeenBox {
    QStringList buttons;  // captions without the shortcut's "&"
    QString text;
    QRect frame;
};

// Shows one message through the real dialogs; once it is on screen, records it and presses the
// button captioned `press`.
DialogAnswer showAndPress(const std::function<DialogAnswer(Dialogs&)>& show, const QString& press,
                          SeenBox& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return;
        }
        QAbstractButton* pressed = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            const QString caption = button->text().remove(QLatin1Char('&'));
            seen.buttons << caption;
            if (caption == press)
                pressed = button;
        }
        seen.text = box->text();
        seen.frame = box->frameGeometry();
        if (pressed != nullptr) {
            pressed->click();
        } else {
            ADD_FAILURE() << "no button " << press.toStdString();
            box->reject();
        }
    });
    QtDialogs dialogs;
    return show(dialogs);
}

TEST(QtDialogsTest, QuestionsAnswerInPortuguese) {
    SeenBox seen;
    EXPECT_EQ(showAndPress(
                  [](Dialogs& d) { return d.message("Continuar?", "TESTE", DialogButtons::YesNo); },
                  QStringLiteral("Não"), seen),
              DialogAnswer::No);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("Sim"), QStringLiteral("Não")}));

    SeenBox three;
    EXPECT_EQ(
        showAndPress(
            [](Dialogs& d) { return d.message("Salvar?", "TESTE", DialogButtons::YesNoCancel); },
            QStringLiteral("Cancelar"), three),
        DialogAnswer::Cancel);
    EXPECT_TRUE(three.buttons.contains(QStringLiteral("Cancelar")));
}

TEST(QtDialogsTest, AVeryLongNameInAQuestionIsCutSoTheQuestionFitsTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString question = QStringLiteral("Deseja Realmente excluir esse registro? :");
    const QString spaced = QStringLiteral("Comércio de Materiais ").repeated(400);
    const QString unbroken = QStringLiteral("X").repeated(3000);
    for (const QString& name : {spaced, unbroken}) {
        SeenBox seen;
        EXPECT_EQ(showAndPress(
                      [&](Dialogs& d) {
                          return d.askYesNo(question + name, "EXCLUSÃO") ? DialogAnswer::Yes
                                                                         : DialogAnswer::No;
                      },
                      QStringLiteral("Sim"), seen),
                  DialogAnswer::Yes);
        EXPECT_TRUE(seen.text.startsWith(question + name.left(20)));
        EXPECT_TRUE(seen.text.endsWith(QStringLiteral("…"))) << seen.text.right(20).toStdString();
        EXPECT_LT(seen.text.size(), name.size());
        EXPECT_TRUE(screen.contains(seen.frame))
            << seen.frame.width() << "x" << seen.frame.height() << " on " << screen.width() << "x"
            << screen.height();
    }
}

TEST(QtDialogsTest, ShortMessagesAndTheirLineBreaksAreKept) {
    SeenBox seen;
    const QString text = QStringLiteral("Erro No.13 - Tipo incompatível\r\nFormulário: fclientes");
    showAndPress([&](Dialogs& d) { return d.message(text, "TESTE"); }, QStringLiteral("OK"), seen);
    EXPECT_EQ(seen.text, text);
}

}  // namespace
}  // namespace tavrel
