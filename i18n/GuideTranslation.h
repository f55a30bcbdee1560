#pragma once
// The user guide for the English interface, made from the Chinese-interface guide: every interface
// text the guide names (a menu item, a button, a caption, a message) is replaced by its English
// from the catalogs, so the two guides cannot say different things.
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace dravik::i18n {

// An interface text as the guide writes it: without the menu letter ("打开(&O)", "&Open"), the
// shortcut after a tab ("\tCtrl+O") and the spaces at either end; "&&" is a plain "&".
QString GuideLabel(QString text);

struct CatalogText {
    QString chinese; // as GuideLabel gives it; %1 ... %9 and %n stand for any text
    QString english;
};

// The finished translations of a Qt Linguist catalog (.ts), one per line of a text written on
// several lines; of a text with plural forms, the last form. Unfinished and vanished ones are left
// out. An error message when the file cannot be read.
std::optional<QString> ReadCatalog(const QString& path, QList<CatalogText>& texts);

class GuideTranslator {
public:
    explicit GuideTranslator(const QList<CatalogText>& texts);
    // The text with every interface text replaced by its English. An interface text is replaced
    // only where it stands on its own (no Chinese character right before or after it); longer texts
    // go first, and what a placeholder stands for is translated in turn.
    QString Translate(const QString& text) const;

private:
    struct Rule {
        QRegularExpression pattern;
        QString english;
        QStringList placeholders; // of the pattern's groups, in order ("%1", "%n" ...)
    };
    QList<Rule> rules_;
};

// The pictures a guide shows (the targets of its "![caption](path)"), each once, in order.
QStringList Pictures(const QString& text);

// Where the English interface's version of a picture lives: in an "en" folder beside it
// ("images/chart.png" -> "images/en/chart.png"); a picture already there is its own.
QString EnglishPicture(const QString& path);

// The text with every picture swapped for its English version where `exists` (given a path as
// the guide writes it) says there is one.
QString UseEnglishPictures(const QString& text, const std::function<bool(const QString&)>& exists);

// What is wrong with the pictures of the English guide: one that does not exist, one of the
// Chinese interface where an English version exists.
QStringList PictureProblems(const QString& english, const std::function<bool(const QString&)>& exists);

// The runs of Chinese characters and full-width punctuation left in the text, each once, in order.
QStringList ChinesePhrases(const QString& text);

} // namespace dravik::i18n
