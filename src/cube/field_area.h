#pragma once

#include <QList>
#include <QPoint>
#include <QToolButton>
#include <QWidget>

#include "cube/cube_layout.h"

namespace tavrel {

// A field of the cube as a button the operator drags between the areas; a click on a
// dimension field opens its member filter.
class FieldButton : public QToolButton {
    Q_OBJECT

public:
    FieldButton(int position, const QString& caption, bool filtered, QWidget* parent = nullptr);
    int position() const { return position_; }

    static const char* mimeType();

signals:
    void activatedField(int position);
    // The drag that started on this button is over (dropped or not).
    void dragFinished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int position_;
    QPoint pressedAt_;
    bool pressed_ = false;
};

// One area of the cube (page, row, column or data): its field buttons, wrapped over as many
// lines as the width needs, and the place where a dragged field is dropped.
class FieldArea : public QWidget {
    Q_OBJECT

public:
    FieldArea(CubeArea area, const QString& emptyText, QWidget* parent = nullptr);

    CubeArea area() const { return area_; }
    // Shows these fields: position, caption, whether a filter leaves members out.
    struct Entry {
        int position;
        QString caption;
        bool filtered;
    };
    void setFields(const QList<Entry>& fields);
    QList<FieldButton*> buttons() const { return buttons_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A field dropped here. `duringDrag` when the drag started on one of the cube's buttons and
    // is not over yet: that button must not be replaced before fieldDragFinished.
    void fieldDropped(int position, CubeArea area, int index, bool duringDrag);
    void fieldActivated(int position);
    void fieldDragFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int arrange(int width, bool apply) const;
    int indexAt(const QPoint& point) const;

    CubeArea area_;
    QString emptyText_;
    QList<FieldButton*> buttons_;
};

}  // namespace tavrel
