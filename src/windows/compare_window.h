// The comparison window (Tools -> Compare Catalogues...): two catalogues of a drive, the
// older and the newer, and what changed between them, in a result list like the search
// window's with its hit actions. A long comparison keeps the window answering and can be
// stopped.
#pragma once

#include "services.h"

#include "catalogue/catalogue_comparison.h"
#include "catalogue/catalogue_facts.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kestrova {

class HitActions;
class ResultModel;

class CompareWindow : public QDialog, private DifferenceSink
{
    Q_OBJECT

public:
    explicit CompareWindow(Services &services, QWidget *parent = nullptr);
    ~CompareWindow() override;

    void cmdOld_Click();
    void cmdNew_Click();
    void cmdCompare_Click();
    void cmdStop_Click();

    ResultModel &results() { return *m_model; }
    HitActions &hitActions() { return *m_hitActions; }
    bool isComparing() const { return m_comparing; }

    QLineEdit *txtOld = nullptr;
    QLineEdit *txtNew = nullptr;
    QPushButton *cmdOld = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdCompare = nullptr;
    QPushButton *cmdStop = nullptr;
    QTableView *LV1 = nullptr;
    QLabel *lblSummary = nullptr;

protected:
    void reject() override;

private:
    void difference(const Difference &difference) override;
    bool keepGoing() override;
    QString chooseCatalogue(const QString &current);

    Services &m_services;
    std::unique_ptr<ResultModel> m_model;
    std::unique_ptr<HitActions> m_hitActions;
    bool m_comparing = false;
    bool m_stop = false;
    QElapsedTimer m_sinceYield;
    QString m_oldName;
    QString m_newName;
    RunFacts m_oldRun; // what the facts beside each catalogue say of its drive
    RunFacts m_newRun;
};

} // namespace kestrova
