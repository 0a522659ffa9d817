// Every label of every screen stays readable on the screen's gradient, at the size the screen
// opens with and maximised, on the screen this program runs on (ctest runs it on 1366 x 768
// and on 1920 x 1080).
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "support/fixture.h"
#include "ui/window_placement.h"

namespace tavrel {
namespace {

// WCAG's minimum for body text.
constexpr double kMinimumContrast = 4.5;

double luminance(QRgb rgb) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text the operator reads: where it is drawn (in the screen's coordinates) and in which colour.
struct Text {
    QPointer<QWidget> widget;
    QString text;
    QRect area;
    QRgb color;
};

QRect textRect(QWidget* widget, const QRect& box, Qt::Alignment alignment, const QString& text) {
    return widget->style()
        ->itemTextRect(widget->fontMetrics(), box, alignment, widget->isEnabled(), text)
        .intersected(box);  // drawn clipped to its box
}

QRect buttonTextRect(QWidget* button, const QString& text, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    const QRect box = button->style()->subElementRect(contents, &option, button);
    return textRect(button, box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

QRect groupTitleRect(QGroupBox* group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (group->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          group);
}

QString plain(const QString& caption) {
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

QList<Text> textsOf(QWidget* screen) {
    QList<Text> texts;
    const auto add = [&](QWidget* widget, const QString& text, const QRect& rect) {
        // A disabled text is greyed on purpose (the status bar's "CAPS" with Caps Lock off).
        if (text.trimmed().isEmpty() || !widget->isVisibleTo(screen) || !widget->isEnabled() ||
            rect.isEmpty())
            return;
        texts.append({widget, text, QRect(widget->mapTo(screen, rect.topLeft()), rect.size()),
                      widget->palette().color(QPalette::WindowText).rgb()});
    };
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            continue;  // not drawn as one line of plain text
        add(label, label->text(),
            textRect(label, label->contentsRect(), label->alignment(), plain(label->text())));
    }
    for (QCheckBox* box : screen->findChildren<QCheckBox*>())
        add(box, box->text(), buttonTextRect(box, plain(box->text()), QStyle::SE_CheckBoxContents));
    for (QRadioButton* option : screen->findChildren<QRadioButton*>())
        add(option, option->text(),
            buttonTextRect(option, plain(option->text()), QStyle::SE_RadioButtonContents));
    for (QGroupBox* group : screen->findChildren<QGroupBox*>())
        add(group, group->title(), groupTitleRect(group));
    return texts;
}

// The screen as it looks with every text of `texts` made invisible: what lies behind them.
QImage behindTheTexts(QWidget* screen, const QList<Text>& texts) {
    for (const Text& text : texts) {
        QPalette palette = text.widget->palette();
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, Qt::transparent);
        text.widget->setPalette(palette);
    }
    return screen->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The lowest contrast between a text's colour and any pixel behind it.
double lowestContrast(const QImage& behind, const Text& text) {
    double lowest = 21.0;
    const QRect area = text.area.intersected(behind.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            lowest = std::min(lowest, contrast(text.color, behind.pixel(x, y)));
    }
    return lowest;
}

class LabelContrast : public test::AppFixture {
protected:
    // Checks every text of the screen at its current size; returns how many were checked.
    int checkTexts(QWidget* screen, const QString& when) {
        QApplication::processEvents();
        const QList<Text> texts = textsOf(screen);
        const QImage behind = behindTheTexts(screen, texts);
        for (const Text& text : texts) {
            EXPECT_GE(lowestContrast(behind, text), kMinimumContrast)
                << screen->objectName().toStdString() << " " << when.toStdString() << ": \""
                << text.text.toStdString() << "\" (" << text.widget->objectName().toStdString()
                << ") at " << text.area.x() << "," << text.area.y();
        }
        return static_cast<int>(texts.size());
    }
};

TEST_F(LabelContrast, EveryLabelOfEveryScreenStandsOutFromTheGradient) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QStringList names = screens->names();
    screens->setModalRunner([](QWidget* screen) { screen->close(); });  // the login's users
    ASSERT_GE(names.size(), 10);
    int checked = 0;
    for (const QString& name : names) {
        QWidget* screen = screens->create(name);
        ASSERT_NE(screen, nullptr) << name.toStdString();
        placeOnScreen(screen);
        screen->show();
        checked += checkTexts(screen, QStringLiteral("ao abrir"));
        screen->resize(available.size());
        checked += checkTexts(screen, QStringLiteral("maximizada"));
        delete screen;
    }
    EXPECT_GT(checked, 100) << "the texts of the screens were found";
}

// The measure itself: black text straight on the dark top of the gradient is caught.
TEST_F(LabelContrast, TextOnTheDarkPartOfTheGradientIsCaught) {
    QWidget* screen = screens->create(QStringLiteral("fparametros"));
    ASSERT_NE(screen, nullptr);
    screen->resize(800, 700);
    screen->show();
    auto* label = new QLabel(QStringLiteral("Sem fundo próprio"), screen);
    label->move(10, 2);  // the top band is black
    label->show();
    label->setAutoFillBackground(false);
    QApplication::processEvents();
    const QList<Text> texts = textsOf(screen);
    const auto found = std::find_if(texts.begin(), texts.end(),
                                    [label](const Text& text) { return text.widget == label; });
    ASSERT_NE(found, texts.end());
    EXPECT_LT(lowestContrast(behindTheTexts(screen, texts), *found), 1.5);
    delete screen;
}

}  // namespace
}  // namespace tavrel
