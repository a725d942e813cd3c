#pragma once
#include <QWidget>
namespace quadrel {
class ImageBox : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
} // namespace quadrel
