// dravik-guide-en: writes the user guide for the English interface, built with the programs.
//   dravik-guide-en [--check] GUIDE KEEP OUT CATALOG...
// GUIDE is the Chinese-interface guide, KEEP the Chinese phrases that stay in the English one (game
// data, names; one a line, # starts a comment), OUT the English guide ("-": none), CATALOG the
// English catalogs (.ts). A picture with an English version in an "en" folder beside it is shown as
// that one. Any other Chinese phrase left, a KEEP line the guide no longer needs, and a picture that
// is missing, is listed; with --check that is a failure (exit status 1).
#include "i18n/GuideTranslation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <cstdio>

using namespace dravik::i18n;

namespace {

std::optional<QString> ReadText(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return path + QStringLiteral(": ") + file.errorString();
    text = QString::fromUtf8(file.readAll());
    return std::nullopt;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "dravik-guide-en: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const bool check = !args.isEmpty() && args.first() == QLatin1String("--check");
    if (check)
        args.removeFirst();
    if (args.size() < 4)
        return Fail(QStringLiteral("usage: dravik-guide-en [--check] GUIDE KEEP OUT CATALOG..."));
    QString guide, keepText;
    if (auto error = ReadText(args[0], guide))
        return Fail(*error);
    if (auto error = ReadText(args[1], keepText))
        return Fail(*error);
    QList<CatalogText> texts;
    for (const QString& catalog : args.mid(3))
        if (auto error = ReadCatalog(catalog, texts))
            return Fail(*error);

    // Pictures are found from the guide's folder; the English guide is written beside a copy of them.
    const QDir folder = QFileInfo(args[0]).dir();
    const auto exists = [&](const QString& path) {
        return path.contains(QLatin1String("://")) || QFileInfo(folder.filePath(path)).isFile();
    };
    const QString english = UseEnglishPictures(GuideTranslator(texts).Translate(guide), exists);
    if (args[2] != QLatin1String("-")) {
        QFile out(args[2]);
        if (!out.open(QIODevice::WriteOnly) || out.write(english.toUtf8()) < 0)
            return Fail(args[2] + QStringLiteral(": ") + out.errorString());
    }

    QSet<QString> keep;
    for (const QString& line : keepText.split(QLatin1Char('\n'))) {
        const QString phrase = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (!phrase.isEmpty())
            keep.insert(phrase);
    }
    QSet<QString> used;
    QStringList problems;
    const QStringList lines = english.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        for (const QString& phrase : ChinesePhrases(lines[i])) {
            if (keep.contains(phrase))
                used.insert(phrase);
            else
                problems.append(
                    QStringLiteral("%1:%2: no English for \"%3\"").arg(args[0]).arg(i + 1).arg(phrase));
        }
    for (const QString& phrase : keep)
        if (!used.contains(phrase))
            problems.append(args[1] + QStringLiteral(": \"%1\" is no longer in the guide").arg(phrase));
    for (const QString& problem : PictureProblems(english, exists))
        problems.append(args[0] + QStringLiteral(": ") + problem);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return check && !problems.isEmpty() ? 1 : 0;
}
