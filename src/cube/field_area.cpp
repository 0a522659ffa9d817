#include "cube/field_area.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace tavrel {
namespace {

constexpr int kGap = 3;
constexpr int kMargin = 3;

int droppedField(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasFormat(QString::fromLatin1(FieldButton::mimeType()))) {
        return -1;
    }
    bool ok = false;
    const int position = mime->data(QString::fromLatin1(FieldButton::mimeType())).toInt(&ok);
    return ok ? position : -1;
}

}  // namespace

FieldButton::FieldButton(int position, const QString& caption, bool filtered, QWidget* parent)
    : QToolButton(parent), position_(position) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAutoRaise(false);
    if (filtered) {
        QFont italic = font();
        italic.setItalic(true);
        setFont(italic);
        setToolTip(QStringLiteral("Filtrado: nem todos os itens são mostrados"));
    }
}

const char* FieldButton::mimeType() {
    return "application/x-tavrel-cube-field";
}

void FieldButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedAt_ = event->position().toPoint();
        pressed_ = true;
    }
    QToolButton::mousePressEvent(event);
}

void FieldButton::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || (event->position().toPoint() - pressedAt_).manhattanLength() <
                         QApplication::startDragDistance()) {
        QToolButton::mouseMoveEvent(event);
        return;
    }
    pressed_ = false;
    setDown(false);
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(mimeType()), QByteArray::number(position_));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(grab());
    drag->setHotSpot(pressedAt_);
    drag->exec(Qt::MoveAction);
    emit dragFinished();  // the last use of this button: the area may now replace it
}

void FieldButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    QToolButton::mouseReleaseEvent(event);
    if (click) {
        emit activatedField(position_);
    }
}

FieldArea::FieldArea(CubeArea area, const QString& emptyText, QWidget* parent)
    : QWidget(parent), area_(area), emptyText_(emptyText) {
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void FieldArea::setFields(const QList<Entry>& fields) {
    // A button may be the one being dragged: it goes once its events are over.
    for (FieldButton* button : buttons_) {
        button->hide();
        button->setObjectName(QString());
        button->deleteLater();
    }
    buttons_.clear();
    for (const Entry& entry : fields) {
        auto* button = new FieldButton(entry.position, entry.caption, entry.filtered, this);
        button->setObjectName(QStringLiteral("campo_%1").arg(entry.position));
        connect(button, &FieldButton::activatedField, this, &FieldArea::fieldActivated);
        connect(button, &FieldButton::dragFinished, this, &FieldArea::fieldDragFinished);
        button->show();
        buttons_.append(button);
    }
    arrange(width(), true);
    updateGeometry();
    update();
}

// Lays the buttons out left to right, wrapping; gives the height used.
int FieldArea::arrange(int width, bool apply) const {
    int x = kMargin;
    int y = kMargin;
    int lineHeight = 0;
    for (FieldButton* button : buttons_) {
        const QSize size = button->sizeHint();
        if (x > kMargin && x + size.width() > width - kMargin) {
            x = kMargin;
            y += lineHeight + kGap;
            lineHeight = 0;
        }
        if (apply) {
            button->setGeometry(QRect(QPoint(x, y), size));
        }
        x += size.width() + kGap;
        lineHeight = std::max(lineHeight, size.height());
    }
    if (lineHeight == 0) {
        lineHeight = fontMetrics().height() + 8;  // room for the hint of an empty area
    }
    return y + lineHeight + kMargin;
}

int FieldArea::heightForWidth(int width) const {
    return arrange(width, false);
}

QSize FieldArea::sizeHint() const {
    int width = kMargin;
    for (FieldButton* button : buttons_) {
        width += button->sizeHint().width() + kGap;
    }
    return {std::max(width, 120), heightForWidth(std::max(width, 120))};
}

QSize FieldArea::minimumSizeHint() const {
    return {60, fontMetrics().height() + 8};
}

void FieldArea::resizeEvent(QResizeEvent*) {
    arrange(width(), true);
}

void FieldArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base).darker(104));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (buttons_.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, emptyText_);
    }
}

int FieldArea::indexAt(const QPoint& point) const {
    for (int i = 0; i < buttons_.size(); ++i) {
        const QRect geometry = buttons_[i]->geometry();
        const bool sameLine = point.y() < geometry.bottom() + kGap;
        if (sameLine && (point.x() < geometry.center().x() || point.y() < geometry.top())) {
            return i;
        }
    }
    return -1;
}

void FieldArea::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedField(event->mimeData()) >= 0) {
        event->acceptProposedAction();
    }
}

void FieldArea::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedField(event->mimeData()) >= 0) {
        event->acceptProposedAction();
    }
}

void FieldArea::dropEvent(QDropEvent* event) {
    const int position = droppedField(event->mimeData());
    if (position < 0) {
        return;
    }
    event->acceptProposedAction();
    int index = indexAt(event->position().toPoint());
    // Within its own area a field counts its old place out of the index.
    for (int i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->position() == position && index > i) {
            --index;
        }
    }
    emit fieldDropped(position, area_, index,
                      qobject_cast<FieldButton*>(event->source()) != nullptr);
}

}  // namespace tavrel
