#include "app/CAboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

#include "app/Resources.h"
#include "widgets/DialogUnits.h"

namespace dravik::app {

CAboutDlg::CAboutDlg(const QString& namesSummary, QWidget* parent) : QDialog(parent)
{
    EnsureResources();
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(tr("关于 Dravik静态修改器"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFont(widgets::EditorFont());
    const widgets::DialogUnits du(font());
    setFixedSize(du.Size(236, 118));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("aboutPicture"));
    const QRect pictureRect = du.Rect(0, 0, 236, 66);
    picture->setGeometry(pictureRect);
    picture->setPixmap(QPixmap(Picture("about.png"))
                           .scaled(pictureRect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    const QRect iconRect = du.Rect(10, 74, 21, 21);
    icon->setGeometry(iconRect);
    const int side = std::min(iconRect.width(), iconRect.height());
    icon->setPixmap(QIcon(QStringLiteral(":/dravik/icon.png")).pixmap(side, side));

    auto* name = new QLabel(tr("Dravik静态修改器 %1 版").arg(QStringLiteral(DRAVIK_VERSION)), this);
    name->setObjectName(QStringLiteral("aboutName"));
    name->setGeometry(du.Rect(40, 73, 130, 10));

    auto* note = new QLabel(tr("ROM 数据表编辑器：只改写固定位置的字节，\n不改变文件的长度。"), this);
    note->setObjectName(QStringLiteral("aboutNote"));
    note->setGeometry(du.Rect(40, 86, 150, 22));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* names = new QLabel(namesSummary, this);
    names->setObjectName(QStringLiteral("aboutNames"));
    names->setGeometry(du.Rect(40, 104, 190, 10));

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setGeometry(du.Rect(179, 74, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace dravik::app
