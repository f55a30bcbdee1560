#pragma once
// A static text of several lines whose lines stand a fixed distance apart (one line per 8 dialog
// units), so that each line stays beside the control it names whatever spacing the font itself
// would use.
#include <QLabel>

namespace dravik::widgets {

class StaticText : public QLabel {
    Q_OBJECT
public:
    StaticText(const QString& text, int lineStep, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lineStep_;
};

} // namespace dravik::widgets
