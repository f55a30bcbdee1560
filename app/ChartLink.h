#pragma once
// The editor's side of the 图表 window: the chart library is loaded and the window made the first
// time it is asked for, then told of every change of the document (edits, undo, redo, a reload,
// another name set or reference) and of every change of a list's selection. It reads the tables
// through the session and selects rows through the page area.
#include <QObject>

#include <vector>

#include "app/ChartPanel.h"

namespace dravik::rom {
class Table;
}

namespace dravik::app {

class PageArea;
class Session;

class ChartLink : public QObject, public ChartSource {
    Q_OBJECT
public:
    ChartLink(Session& session, PageArea& pages, QWidget* window);
    ~ChartLink() override;

    // The chart window, made when first asked for; nullptr with the reason when the chart
    // library cannot be loaded.
    ChartPanel* Panel(QString& error);
    bool Made() const { return panel_ != nullptr; }
    // Another file, or none: everything read again.
    void Reload();

    std::vector<ChartTable> Tables() const override;
    int Rows(const QString& table) const override;
    QString RowName(const QString& table, int row) const override;
    QString Cell(const QString& table, int row, int column, bool reference) const override;
    double Value(const QString& table, int row, int column, bool reference) const override;
    bool HasReference() const override;
    std::vector<int> SelectedRows(const QString& table) const override;
    int CurrentRow(const QString& table) const override;
    void SelectRow(const QString& table, int row) override;
    QString AskExportPath(QWidget* over, const QString& filter, const QString& suggested) override;
    void TellFailure(QWidget* over, const QString& text) override;
    ChartColours Colours(const QPalette& palette) const override;

private:
    int ListOf(const QString& table) const;
    const rom::Table* Charted(const QString& table, bool reference) const;
    void FollowLists();

    Session& session_;
    PageArea& pages_;
    QWidget* window_;
    ChartPanel* panel_ = nullptr;
    std::vector<QMetaObject::Connection> lists_;
};

} // namespace dravik::app
