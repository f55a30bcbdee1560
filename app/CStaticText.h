#pragma once
// A static text of several lines whose lines stand a fixed distance apart (one line per 8 dialog
// units), so that each line stays beside the control it names whatever spacing the font itself
// would use.
#include <QLabel>

namespace dravik::app {

class CStaticText : public QLabel {
    Q_OBJECT
public:
    CStaticText(const QString& text, int lineStep, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lineStep_;
};

} // namespace dravik::app
