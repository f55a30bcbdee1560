#pragma once
// The user's side of keeping unsaved changes: the session keeps the record after each change;
// this offers it back when its file is opened again, and offers the changes of a file reloaded
// because another program changed it back on top of the new contents.
#include <QObject>
#include <QString>

#include <string>

class QWidget;

namespace dravik::rom {
struct Reapplication;
}
namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

class Session;

class RecoveryOffer : public QObject {
    Q_OBJECT
public:
    // Questions go to prompts over window.
    RecoveryOffer(Session& session, widgets::Prompts& prompts, QWidget* window);

    // After an Open: the records of the file's unsaved changes, if there are any, offered back
    // (or said why they cannot be, and deleted).
    void OfferRecord();
    // After a reload: the changes the user had, each set to their value over the new contents;
    // declined, their record goes.
    void OfferReapplied(const rom::Reapplication& plan);

private:
    QString Discard(const std::string& path);

    Session& session_;
    widgets::Prompts& prompts_;
    QWidget* window_;
};

} // namespace dravik::app
