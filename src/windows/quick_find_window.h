// The Quick Find window: one box for the query language over every catalogue of a folder, the
// hits shown as the user types. The newest keystroke wins: it stops the search in flight and
// the next one starts from the box as it is then. A query that does not read keeps the last
// good hits, its error shown under the box. The result list, its actions and export are the
// search window's.
#pragma once

#include "services.h"

#include "catalogue/catalogue_facts.h"
#include "search/query_search.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTextBrowser;

namespace kestrova {

class HitActions;
class ResultModel;
class RunCopyWindow;

class QuickFindWindow : public QDialog, private SearchView
{
    Q_OBJECT

public:
    explicit QuickFindWindow(Services &services, QWidget *parent = nullptr);
    ~QuickFindWindow() override;

    // The folder the window starts with: the one a search last read, else the default path.
    void Form_Load();
    // The box changed: a new search, or the error of a query that does not read.
    void queryChanged();
    void cmdFolder_Click();
    void cmdHelp_Click();
    void LV1_DblClick();

    bool isSearching() const { return m_search.running(); }
    // Searches started since the window was made, finished or stopped by a keystroke.
    int searchesStarted() const { return m_started; }
    ResultModel &results() { return *m_model; }
    HitActions &hitActions() { return *m_hitActions; }
    QDialog *helpWindow() const { return m_help; }

    void done(int result) override;

    QLineEdit *txtQuery = nullptr;
    QPushButton *cmdHelp = nullptr;
    QLabel *lblError = nullptr;
    QLineEdit *txtFolder = nullptr;
    QPushButton *cmdFolder = nullptr;
    QTableView *LV1 = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the search sees of the window.
    QString criteriaText() override { return {}; }
    bool caseSensitive() override { return false; }
    bool dateFilterOn() override { return false; }
    bool wantsFacts() override { return true; }
    void appendRow(const RowTexts &row) override;
    void clearRows() override;
    void setSorted(bool on) override;
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &) override {}
    IndicatorColour indicatorColour() override { return IndicatorColour::Red; }
    void setIndicatorColour(IndicatorColour) override {}
    void yield() override;
    void inform(const QString &text) override { m_notes << text; }
    void folderFailed(const QString &folder, const Error &error) override;
    void catalogueFailed(const QByteArray &path, const Error &error) override;

    // Runs the waiting query, and each that arrives while one runs, until none waits.
    void runWaiting();
    void showStatus();
    RunFacts runOf(int row);

    Services &m_services;
    std::unique_ptr<ResultModel> m_model;
    QuerySearch m_search;
    std::unique_ptr<HitActions> m_hitActions;
    std::unique_ptr<RunCopyWindow> m_runCopyWindow;
    QDialog *m_help = nullptr;
    std::optional<Query> m_waiting; // the newest good query, not yet started
    QString m_folder;               // of the hits shown
    RunFactsByCatalogue m_runs;
    QStringList m_notes; // messages and catalogues not read, of the latest search
    QElapsedTimer m_sinceYield;
    int m_started = 0;
    bool m_closed = false;
};

// The query language's table, as the help of the Quick Find window shows it (rich text).
QString queryHelpTable();

} // namespace kestrova
