#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "support/fixture.h"
#include "ui/gradient.h"
#include "ui/screen.h"

namespace tavrel {
namespace {

QImage paint(QSize size, int r, int g, int b, bool fromTop, int step) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PintaFundo(painter, size, r, g, b, fromTop, step);
    return image;
}

TEST(PintaFundo, FromTheBottomTheFirstBandIsTheStartColour) {
    // 630 high: bands of 10 pixels.
    const QImage image = paint({200, 630}, 0, 255, 255, false, 5);
    EXPECT_EQ(QColor(image.pixel(100, 629)), QColor(0, 255, 255));
    EXPECT_EQ(QColor(image.pixel(100, 620)), QColor(0, 255, 255));
    EXPECT_EQ(QColor(image.pixel(100, 619)), QColor(0, 250, 250));
    EXPECT_EQ(QColor(image.pixel(5, 609)), QColor(0, 245, 245));
    // The top band is the 63rd: 255 - 62 * 5 falls below zero and stays at zero.
    EXPECT_EQ(QColor(image.pixel(100, 0)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(100, 9)), QColor(0, 0, 0));
}

TEST(PintaFundo, FromTheTopAndBandHeightRounded) {
    // 100 / 63 rounds to 2 pixels per band; 63 bands cover 126 pixels, the rest is unpainted.
    const QImage image = paint({50, 100}, 200, 100, 10, true, 3);
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(200, 100, 10));
    EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(200, 100, 10));
    EXPECT_EQ(QColor(image.pixel(0, 2)), QColor(197, 97, 7));
    EXPECT_EQ(QColor(image.pixel(0, 8)), QColor(188, 88, 0));  // blue never below zero
}

class GradientScreenTest : public test::AppFixture {};

TEST_F(GradientScreenTest, AScreenPaintsTheMainMenuColoursByDefault) {
    Screen screen(context, "teste");
    screen.setAttribute(Qt::WA_DeleteOnClose, false);
    screen.resize(300, 630);
    const QImage image = screen.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(150, 625)), QColor(0, 255, 255));
    EXPECT_EQ(QColor(image.pixel(150, 615)), QColor(0, 250, 250));
}

}  // namespace
}  // namespace tavrel
