#pragma once
// The About box: the program's picture, icon, name and version, the name set in use, and "确定".
#include <QDialog>

namespace dravik::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // namesSummary: what the name set in use is (Session::NamesSummary).
    explicit CAboutDlg(const QString& namesSummary, QWidget* parent = nullptr);
};

} // namespace dravik::app
