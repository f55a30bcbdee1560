#pragma once
// The About box: the program's picture, icon, name and version, and "确定".
#include <QDialog>

namespace dravik::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace dravik::app
