#include "i18n/GuideTranslation.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>

namespace dravik::i18n {

namespace {

const QRegularExpression kPlaceholder(QStringLiteral("%(?:n|L?[1-9])"));
const QRegularExpression kChinese(QStringLiteral("\\p{Han}"));
// A placeholder between two fixed parts stands for any text of its line but a quote or a bold mark;
// at either end only for one word, so that it cannot swallow the sentence around the text.
const QString kInside = QStringLiteral("([^\\n\"“”「」*`]+?)");
const QString kWord = QStringLiteral("([^\\s\"“”「」*`，。：（）]+)");
// A picture: "![caption](path)", the path in the first group.
const QRegularExpression kPicture(QStringLiteral("!\\[[^\\]\\n]*\\]\\(([^)\\s]+)\\)"));

} // namespace

QString GuideLabel(QString text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        text.truncate(tab);
    static const QRegularExpression letterInBrackets(QStringLiteral("\\(&[^&]\\)"));
    text.remove(letterInBrackets);
    static const QRegularExpression marker(QStringLiteral("&(.)"));
    text.replace(marker, QStringLiteral("\\1"));
    text = text.trimmed();
    // A label's colon: the guide names the label without it.
    if (text.endsWith(QChar(0xFF1A)) || text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

std::optional<QString> ReadCatalog(const QString& path, QList<CatalogText>& texts)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return path + QStringLiteral(": ") + file.errorString();
    QXmlStreamReader xml(&file);
    QString source, translation;
    bool finished = true, numerus = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("message")) {
                source.clear();
                translation.clear();
                finished = true;
                numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                if (!numerus)
                    translation = xml.readElementText();
            } else if (xml.name() == QLatin1String("numerusform")) {
                translation = xml.readElementText(); // the last form, the plural, wins
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && finished) {
            // Lines, and the filters of a file dialog, each on their own.
            static const QRegularExpression parts(QStringLiteral("\\n|;;"));
            const QStringList sourceLines = source.split(parts);
            const QStringList englishLines = translation.split(parts);
            if (sourceLines.size() != englishLines.size())
                continue;
            for (qsizetype i = 0; i < sourceLines.size(); ++i)
                texts.append({GuideLabel(sourceLines[i]), GuideLabel(englishLines[i])});
        }
    }
    if (xml.hasError())
        return QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return std::nullopt;
}

GuideTranslator::GuideTranslator(const QList<CatalogText>& texts)
{
    // A Chinese text translated differently in different places: the most frequent English wins,
    // on a tie the first.
    QStringList order;
    QHash<QString, QList<QPair<QString, int>>> choices;
    for (const CatalogText& text : texts) {
        if (!text.chinese.contains(kChinese) || text.english.isEmpty())
            continue;
        auto& list = choices[text.chinese];
        if (list.isEmpty())
            order.append(text.chinese);
        auto found = std::find_if(list.begin(), list.end(),
                                  [&](const auto& choice) { return choice.first == text.english; });
        if (found == list.end())
            list.append({text.english, 1});
        else
            ++found->second;
    }
    // A menu item is named without its "…" too, where nothing else has that name.
    const QString ellipsis(QChar(0x2026));
    for (qsizetype i = 0, count = order.size(); i < count; ++i) {
        QString shorter = order[i];
        if (!shorter.endsWith(ellipsis) || choices.contains(shorter.chopped(1)))
            continue;
        shorter.chop(1);
        const auto full = choices.value(order[i]);
        order.append(shorter);
        for (auto [english, votes] : full) {
            if (english.endsWith(QStringLiteral("...")))
                english.chop(3);
            choices[shorter].append({english, votes});
        }
    }
    struct Candidate {
        qsizetype fixed;
        Rule rule;
    };
    QList<Candidate> candidates;
    for (const QString& chinese : order) {
        const auto& list = choices[chinese];
        const auto best = std::max_element(list.begin(), list.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        Rule rule;
        rule.english = best->first;
        QString pattern = QStringLiteral("(?<!\\p{Han})");
        qsizetype at = 0, fixed = 0;
        auto literal = [&](qsizetype from, qsizetype to) {
            const QString part = chinese.mid(from, to - from);
            fixed += part.size();
            static const QRegularExpression spaces(QStringLiteral("\\s+"));
            const QStringList words = part.split(spaces);
            for (qsizetype i = 0; i < words.size(); ++i)
                pattern += (i ? QStringLiteral("\\s+") : QString()) + QRegularExpression::escape(words[i]);
        };
        for (auto it = kPlaceholder.globalMatch(chinese); it.hasNext();) {
            const auto match = it.next();
            literal(at, match.capturedStart());
            const bool atEnd = match.capturedStart() == 0 || match.capturedEnd() == chinese.size();
            pattern += atEnd ? kWord : kInside;
            rule.placeholders.append(match.captured());
            at = match.capturedEnd();
        }
        literal(at, chinese.size());
        pattern += QStringLiteral("(?!\\p{Han})");
        rule.pattern.setPattern(pattern);
        candidates.append({fixed - rule.placeholders.size(), std::move(rule)});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.fixed > b.fixed; });
    for (Candidate& candidate : candidates)
        rules_.append(std::move(candidate.rule));
}

QString GuideTranslator::Translate(const QString& text) const
{
    QString result = text;
    for (const Rule& rule : rules_) {
        if (!rule.pattern.match(result).hasMatch())
            continue;
        QString next;
        qsizetype at = 0;
        for (auto it = rule.pattern.globalMatch(result); it.hasNext();) {
            const auto match = it.next();
            next += QStringView(result).mid(at, match.capturedStart() - at);
            QString english = rule.english;
            for (qsizetype i = 0; i < rule.placeholders.size(); ++i)
                english.replace(rule.placeholders[i], Translate(match.captured(int(i) + 1)));
            next += english;
            at = match.capturedEnd();
        }
        next += QStringView(result).mid(at);
        result = next;
    }
    return result;
}

QStringList Pictures(const QString& text)
{
    QStringList pictures;
    for (auto it = kPicture.globalMatch(text); it.hasNext();) {
        const QString path = it.next().captured(1);
        if (!pictures.contains(path))
            pictures.append(path);
    }
    return pictures;
}

QString EnglishPicture(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    if (folder == QLatin1String("en/") || folder.endsWith(QLatin1String("/en/")))
        return path;
    return folder + QStringLiteral("en/") + path.mid(slash + 1);
}

QString UseEnglishPictures(const QString& text, const std::function<bool(const QString&)>& exists)
{
    QString result;
    qsizetype at = 0;
    for (auto it = kPicture.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString english = EnglishPicture(match.captured(1));
        result += QStringView(text).mid(at, match.capturedStart(1) - at);
        result += exists(english) ? english : match.captured(1);
        at = match.capturedEnd(1);
    }
    result += QStringView(text).mid(at);
    return result;
}

QStringList PictureProblems(const QString& english, const std::function<bool(const QString&)>& exists)
{
    QStringList problems;
    for (const QString& picture : Pictures(english)) {
        const QString own = EnglishPicture(picture);
        if (!exists(picture))
            problems.append(QStringLiteral("picture %1 not found").arg(picture));
        else if (own != picture && exists(own))
            problems.append(QStringLiteral("shows %1 of the Chinese interface, not %2").arg(picture, own));
    }
    return problems;
}

QStringList ChinesePhrases(const QString& text)
{
    static const QRegularExpression run(
        QStringLiteral("[\\p{Han}\\x{3000}-\\x{303F}\\x{FF01}-\\x{FF5E}]+(?:[ /·]?[\\p{Han}]+)*"));
    QStringList phrases;
    for (auto it = run.globalMatch(text); it.hasNext();) {
        const QString phrase = it.next().captured();
        if (!phrases.contains(phrase))
            phrases.append(phrase);
    }
    return phrases;
}

} // namespace dravik::i18n
