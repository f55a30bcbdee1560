#pragma once
// Runs the command line in-process and keeps its exit status and both output streams; reads and
// edits the JSON it writes.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace dravik::test {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun Cli(const cli::Args& args)
{
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

inline QJsonObject JsonOf(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

inline std::string TextOf(const QJsonObject& root) { return QJsonDocument(root).toJson().toStdString(); }

// One step into a JSON value: a key of an object or an index of an array.
struct JsonStep {
    JsonStep(const char* key) : key(key) {}
    JsonStep(int index) : index(index) {}
    const char* key = nullptr;
    int index = 0;
};

// at with the value the path leads to replaced, e.g. With(root, {"tables", "items", "rows", 0, 1}, "7").
inline QJsonValue With(const QJsonValue& at, const std::vector<JsonStep>& path, const QJsonValue& value,
                       size_t step = 0)
{
    if (step == path.size())
        return value;
    const JsonStep& s = path[step];
    if (s.key) {
        QJsonObject o = at.toObject();
        o[s.key] = With(o[s.key], path, value, step + 1);
        return o;
    }
    QJsonArray a = at.toArray();
    a[s.index] = With(a[s.index], path, value, step + 1);
    return a;
}

} // namespace dravik::test
