#pragma once
// Runs the command line in-process and keeps its exit status and both output streams; reads and
// edits the JSON it writes.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
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

// The real program (or a shell) as a process, for what only a process shows: the locale, a
// shell's redirections and limits. A run that ends in a signal has status -1.
inline CliRun RunProgram(const QString& program, const QStringList& args, const QString& locale = "")
{
    QProcess p;
    if (!locale.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", locale);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

// Whether the run ended with status and printed every text: on standard output after success,
// on standard error otherwise. A failure shows the status and both streams.
inline testing::AssertionResult Says(const CliRun& r, int status, const std::vector<std::string>& texts = {})
{
    std::string missing;
    for (const std::string& text : texts)
        if ((status == 0 ? r.out : r.err).find(text) == std::string::npos)
            missing += " \"" + text + "\"";
    if (r.status == status && missing.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "status " << r.status << " (expected " << status << "), missing:" << missing
           << "\nout: " << r.out << "\nerr: " << r.err;
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
