// The search window: criteria, case option and date filter, the folder of catalogues, the
// Search and Stop buttons, and the result list whose rows open the Run/Copy path window.
#pragma once

#include "catalogue/catalogue_facts.h"
#include "path_label.h"
#include "search/catalogue_search.h"
#include "services.h"

#include <QDate>
#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class QAction;
class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableView;

namespace kestrova {

class Decoration;
class DriveList;
class FolderList;
class ResultModel;
class RunCopyWindow;
class HitActions;

class SearchWindow : public QDialog, private SearchView
{
    Q_OBJECT

public:
    explicit SearchWindow(Services &services, QWidget *parent = nullptr);
    ~SearchWindow() override;

    void Form_Load();
    void cmdSearch_Click();
    void cmdStop_Click();
    void cmdExit_Click();
    void chkDate_Click();
    void dp1_Change();
    void Drive1_Change();
    void Dir1_Change();
    void LV1_ColumnClick(int section);
    void LV1_DblClick();

    // Set by the Close button: the instance is to be discarded when the window has closed.
    bool discardRequested() const { return m_discard; }
    bool isSearching() const { return m_session.running; }
    SearchSession &session() { return m_session; }
    ResultModel &results() { return *m_model; }
    RunCopyWindow *runCopyWindow() const { return m_runCopyWindow.get(); }

    QLineEdit *txtCriteria = nullptr;
    QRadioButton *optNoCase = nullptr;
    QRadioButton *optCase = nullptr;
    QCheckBox *chkDate = nullptr;
    QDateEdit *dp1 = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdExit = nullptr;
    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    QTableView *LV1 = nullptr;
    QLabel *fContinue = nullptr;
    Decoration *Image1 = nullptr; // the pictures, decoration only
    Decoration *Image2 = nullptr;
    Decoration *Image3 = nullptr;
    QAction *mSize = nullptr;     // View -> Size
    QAction *mModified = nullptr; // View -> Modified
    PathLabel *panelPath = nullptr; // status bar panel 1
    QLabel *panelCount = nullptr;  // status bar panel 2
    PathLabel *panelDates = nullptr; // status bar: the catalogues whose dates cannot be read, shown when there are any

    // The one close path: Close, the title bar, Escape and Alt+F4 all end here.
    void reject() override;

    HitActions &hitActions() { return *m_hitActions; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the search sees of the window.
    QString criteriaText() override;
    bool caseSensitive() override;
    bool dateFilterOn() override;
    bool wantsFacts() override { return true; }
    void appendRow(const RowTexts &row) override;
    void clearRows() override;
    void setSorted(bool on) override;
    void setCountText(const QString &text) override;
    void setIndicatorCaption(const QString &caption) override;
    IndicatorColour indicatorColour() override;
    void setIndicatorColour(IndicatorColour colour) override;
    void yield() override;
    void inform(const QString &text) override;
    void datesUnreadable(const QString &catalogue) override;

    // The window's client area, in twips, and the date its picker starts at.
    static constexpr int kClientWidth = 12120;
    static constexpr int kClientHeight = 8295;
    inline static const QDate kInitialDate{2003, 6, 14};

    void buildControls();
    void CheckForSetupFile();
    void OpenDefaultPath();
    void emptyList();
    // What the facts beside a row's catalogue say of its run, read once a search.
    RunFacts runOf(int row);
    void setColumnWidths();
    void fitColumnsToHits();
    // The Size and Modified columns, hidden unless the user showed them from the View menu.
    void showFactColumns();
    void headerMenu(const QPoint &at);
    void showProgress();

    Services &m_services;
    SearchSession m_session;
    std::unique_ptr<ResultModel> m_model;
    std::unique_ptr<CatalogueSearch> m_search;
    std::unique_ptr<RunCopyWindow> m_runCopyWindow;
    std::unique_ptr<HitActions> m_hitActions;
    QStatusBar *m_statusBar = nullptr;
    QMenu *m_viewMenu = nullptr;
    QFrame *m_folderRule = nullptr;
    bool m_wasMaximized = false;
    RunFactsByCatalogue m_runs;                        // of the catalogues the last search read
    bool m_sizeShown = false;
    bool m_modifiedShown = false;
    QSize m_designedSize;
    QString m_driveText;
    IndicatorColour m_colour = IndicatorColour::Red;
    QString m_countText;
    QStringList m_unreadableDates; // the catalogues panelDates names, this search
    int m_pathWidth = 0;           // panelPath's width while panelDates is hidden
    bool m_displayStale = false; // count, colour or rows changed since they were last shown
    QElapsedTimer m_sinceYield;
    bool m_discard = false;
    bool m_closed = false; // a search still unwinding after the window closed leaves it alone
};

} // namespace kestrova
