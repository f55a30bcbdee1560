#pragma once
// The core's texts (UTF-8 std::string: paths, names, values) as Qt shows them.
#include <QCoreApplication>
#include <QString>
#include <string>

namespace dravik::widgets {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A table's or a column's title from the core's layouts, in the interface language. The layouts
// keep the Chinese titles that files and the command line use.
inline QString Title(const std::string& title)
{
    return QCoreApplication::translate("Tables", title.c_str());
}

} // namespace dravik::widgets
