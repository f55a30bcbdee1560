#include "i18n/Language.h"

#include "i18n/LocaleName.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace dravik::i18n {

namespace {
Language g_current = Language::Chinese;

// The program's own catalogs name a class by its name alone, as lupdate writes it for a class in a
// nested namespace definition (namespace dravik::app {...}); tr() of a QObject class asks with the
// qualified name (dravik::app::CEditorDlg). Both are the same class here.
class Catalog : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override
    {
        if (context) {
            if (const char* last = std::strrchr(context, ':'))
                context = last + 1;
        }
        return QTranslator::translate(context, source, disambiguation, n);
    }
};

template <typename Translator> bool Load(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new Translator(&app);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
} // namespace

std::optional<Language> ParseLanguage(const QString& code)
{
    if (code == QLatin1String("zh"))
        return Language::Chinese;
    if (code == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString LanguageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

QString LanguageOption(const QStringList& arguments)
{
    const QString prefix = QStringLiteral("--lang=");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--lang"))
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (arg.startsWith(prefix))
            return arg.mid(prefix.size());
    }
    return {};
}

QString MessagesLocale()
{
    if (const char* value = MessagesLocaleSetting())
        return QString::fromLocal8Bit(value);
    return QLocale::system().name();
}

Language LocaleLanguage(const QString& locale)
{
    return IsEnglishLocale(locale.toStdString()) ? Language::English : Language::Chinese;
}

Language ChooseLanguage(const QString& option, const QString& remembered, const QString& locale)
{
    if (const auto chosen = ParseLanguage(option))
        return *chosen;
    if (const auto chosen = ParseLanguage(remembered))
        return *chosen;
    return LocaleLanguage(locale);
}

bool InstallLanguage(QCoreApplication& app, Language language)
{
    g_current = language;
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == Language::Chinese)
        return Load<QTranslator>(app, QStringLiteral("qtbase_zh_CN"), qtFolder);
    // The command line's texts are in every program; the window's only in the editor's.
    const bool ok = Load<Catalog>(app, QStringLiteral("dravik_core_en"), QStringLiteral(":/i18n"));
    Load<Catalog>(app, QStringLiteral("dravik_gui_en"), QStringLiteral(":/i18n"));
    return ok;
}

Language CurrentLanguage() { return g_current; }

} // namespace dravik::i18n
