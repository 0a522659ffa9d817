#pragma once

#include <QLabel>

namespace tavrel {

// A label (or picture) the operator can click.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tavrel
