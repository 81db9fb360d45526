// The copies window (Tools -> Copies...): across every catalogue of a folder, the files that
// have no second copy on another drive, or the files stored more than once, largest first, in a
// result list like the search window's with its hit actions. The report keeps the window
// answering, tells how far it is, and can be stopped.
#pragma once

#include "hit_actions.h"
#include "services.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/copies.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace kestrova {

class HitActions;
class ResultModel;
class RunCopyWindow;

class CopiesWindow : public QDialog, private CopiesSink
{
    Q_OBJECT

public:
    explicit CopiesWindow(Services &services, QWidget *parent = nullptr);
    ~CopiesWindow() override;

    // The folder of catalogues in the box when it opens.
    void Form_Load();
    void cmdFolder_Click();
    void cmdFind_Click();
    void cmdStop_Click();
    // A double-click or Enter on a file: the Run/Copy path window with its path.
    void LV1_DblClick();

    ResultModel &results() { return *m_model; }
    HitActions &hitActions() { return *m_hitActions; }
    bool isRunning() const { return m_running; }

    QLineEdit *txtFolder = nullptr;
    QPushButton *cmdFolder = nullptr;
    QRadioButton *optSingle = nullptr;
    QRadioButton *optDuplicates = nullptr;
    QLineEdit *txtUnder = nullptr;
    QPushButton *cmdFind = nullptr;
    QPushButton *cmdStop = nullptr;
    QTableView *LV1 = nullptr;
    QLabel *lblProgress = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keepGoing(const CopiesProgress &progress) override;
    void catalogueFailed(const QString &catalogue, const Error &error) override;
    void showResult(CopiesResult &result);
    void fitPathColumn();
    RunFacts runOf(int row);
    // Where each copy of a row's file is (the row's own first): its catalogue and its path there.
    QList<CatalogueHit> catalogueHitsOf(int row) const;

    Services &m_services;
    std::unique_ptr<ResultModel> m_model;
    std::unique_ptr<HitActions> m_hitActions;
    std::unique_ptr<RunCopyWindow> m_runCopyWindow;
    bool m_running = false;
    bool m_stop = false;
    QStringList m_failures;         // the catalogues that could not be read, with why
    QString m_folder;               // the folder the rows came from
    RunFactsByCatalogue m_runs; // of the catalogues the last report read
};

} // namespace kestrova
