#include "compare_window.h"

#include "counts.h"
#include "hit_actions.h"
#include "layout.h"
#include "result_list.h"

#include "platform/desktop/event_loop.h"
#include "platform/files/file_names.h"
#include "platform/files/file_time.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>

namespace kestrova {
namespace {

// Events are handled at most this often while a comparison runs.
constexpr qint64 kYieldIntervalMs = 15;

QString changeText(Difference::Kind kind)
{
    switch (kind) {
    case Difference::Kind::Added: return QCoreApplication::translate("CompareWindow", "Added");
    case Difference::Kind::Removed: return QCoreApplication::translate("CompareWindow", "Removed");
    case Difference::Kind::Changed: return QCoreApplication::translate("CompareWindow", "Changed");
    case Difference::Kind::FolderAdded: return QCoreApplication::translate("CompareWindow", "Folder added");
    case Difference::Kind::FolderRemoved: return QCoreApplication::translate("CompareWindow", "Folder removed");
    case Difference::Kind::CreatedOnly: return QCoreApplication::translate("CompareWindow", "Created anew");
    }
    return {};
}

// Why an entry changed, in the user's words: "size 1 KB → 2 KB, modified … → …".
QString reasonsOf(const Difference &d)
{
    const QLocale locale;
    const auto when = [&](qint64 ns) {
        if (!fileTimeKnown(ns))
            return QCoreApplication::translate("CompareWindow", "unknown");
        return locale.toString(QDateTime::fromMSecsSinceEpoch(ns / 1000000).toLocalTime(), QLocale::ShortFormat);
    };
    QStringList parts;
    if (d.reasons & Difference::Size)
        parts << QCoreApplication::translate("CompareWindow", "size %1 → %2")
                     .arg(locale.formattedDataSize(d.oldSize), locale.formattedDataSize(d.newSize));
    if (d.reasons & Difference::Modified)
        parts << QCoreApplication::translate("CompareWindow", "modified %1 → %2").arg(when(d.oldModifiedNs), when(d.newModifiedNs));
    if (d.reasons & Difference::Created)
        parts << QCoreApplication::translate("CompareWindow", "created %1 → %2")
                     .arg(QString::fromUtf8(d.oldCreated), QString::fromUtf8(d.newCreated));
    if (d.reasons & Difference::Type)
        parts << QCoreApplication::translate("CompareWindow", "type %1 → %2")
                     .arg(QString::fromUtf8(d.oldType), QString::fromUtf8(d.newType));
    return parts.join(QStringLiteral(", "));
}

// Whether a row's change says that what it names is gone from the newer catalogue.
bool isRemoval(const QString &change)
{
    return change == changeText(Difference::Kind::Removed) || change == changeText(Difference::Kind::FolderRemoved);
}

QByteArray typeAndCreated(const QByteArray &type, const QByteArray &created, qint64 size)
{
    if (type.isEmpty() && created.isEmpty())
        return {};
    return type + "; " + created + (size >= 0 ? "; " + QLocale().formattedDataSize(size).toUtf8() : QByteArray());
}

} // namespace

CompareWindow::CompareWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services), m_model(std::make_unique<ResultModel>())
{
    setWindowTitle(tr("Compare Catalogues"));
    auto *grid = new QGridLayout(this);
    const auto row = [&](int at, const QString &caption, QLineEdit *&box, QPushButton *&browse) {
        auto *label = new QLabel(caption, this);
        label->setFont(boldFont(8.25));
        box = new QLineEdit(this);
        label->setBuddy(box);
        browse = new QPushButton(QStringLiteral("..."), this);
        browse->setAutoDefault(false);
        browse->setAccessibleName(tr("%1 (choose)").arg(QString(caption).remove(u'&')));
        grid->addWidget(label, at, 0);
        grid->addWidget(box, at, 1);
        grid->addWidget(browse, at, 2);
    };
    row(0, tr("&Older catalogue"), txtOld, cmdOld);
    row(1, tr("&Newer catalogue"), txtNew, cmdNew);
    cmdCompare = new QPushButton(tr("&Compare"), this);
    cmdStop = new QPushButton(tr("S&top"), this);
    cmdStop->setEnabled(false);
    cmdStop->setAutoDefault(false);
    grid->addWidget(cmdCompare, 0, 3);
    grid->addWidget(cmdStop, 1, 3);

    LV1 = newResultView(*m_model, this);
    LV1->setAccessibleName(tr("Differences"));
    LV1->horizontalHeader()->setStretchLastSection(true);
    m_model->setHeaders({tr("Change"), tr("File Path"), tr("Old"), tr("New")});
    m_model->setPathColumn(1);
    grid->addWidget(LV1, 2, 0, 1, 4);
    lblSummary = new QLabel(this);
    lblSummary->setTextFormat(Qt::PlainText);
    lblSummary->setAccessibleName(tr("Summary of the comparison")); // also while empty
    // A long summary wraps: the window's width never follows a text.
    lblSummary->setWordWrap(true);
    lblSummary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(lblSummary, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    resize(fitScreen(this, QSize(twips(12120), twips(8295))));
    LV1->setColumnWidth(0, LV1->fontMetrics().horizontalAdvance(changeText(Difference::Kind::FolderRemoved)) + 16);
    LV1->setColumnWidth(1, twips(5400));
    LV1->setColumnWidth(2, twips(2300));

    // The hits' actions of the search window: a removed file is looked for where the older
    // catalogue had it, the rest where the newer one has it.
    m_hitActions = std::make_unique<HitActions>(
        m_services, *LV1, *m_model,
        HitActions::Options{{},
                            [this](int hit) {
                                return isRemoval(m_model->text(hit, 0)) ? m_oldName : m_newName;
                            },
                            {"Change", "File Path", "Old", "New"},
                            [this](int hit) {
                                return isRemoval(m_model->text(hit, 0)) ? m_oldRun : m_newRun;
                            }});

    connect(cmdOld, &QPushButton::clicked, this, &CompareWindow::cmdOld_Click);
    connect(cmdNew, &QPushButton::clicked, this, &CompareWindow::cmdNew_Click);
    connect(cmdCompare, &QPushButton::clicked, this, &CompareWindow::cmdCompare_Click);
    connect(cmdStop, &QPushButton::clicked, this, &CompareWindow::cmdStop_Click);
    connect(LV1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model->setSortColumn(column);
        m_model->setSorted(!m_comparing);
    });
}

CompareWindow::~CompareWindow() = default;

QString CompareWindow::chooseCatalogue(const QString &current)
{
    const QString folder = !current.isEmpty() ? QFileInfo(current).path() : m_services.paths.DefaultPath;
    return m_services.folderPicker.chooseFile(tr("Choose a catalogue"), folder,
                                               tr("Catalogues (*.txt);;All files (*)"));
}

void CompareWindow::cmdOld_Click()
{
    if (const QString chosen = chooseCatalogue(txtOld->text()); !chosen.isEmpty())
        txtOld->setText(chosen);
}

void CompareWindow::cmdNew_Click()
{
    if (const QString chosen = chooseCatalogue(txtNew->text()); !chosen.isEmpty())
        txtNew->setText(chosen);
}

void CompareWindow::cmdCompare_Click()
{
    if (m_comparing)
        return;
    for (const auto &[box, message] :
         {std::pair{txtOld, tr("Choose the older catalogue first: type its path or press the button beside it.")},
          std::pair{txtNew, tr("Choose the newer catalogue first: type its path or press the button beside it.")}}) {
        if (box->text().isEmpty()) {
            m_services.messages.inform(message);
            box->setFocus();
            return;
        }
    }
    m_comparing = true;
    m_stop = false;
    cmdCompare->setEnabled(false);
    cmdStop->setEnabled(true);
    const auto done = qScopeGuard([this] {
        m_comparing = false;
        cmdCompare->setEnabled(true);
        cmdStop->setEnabled(false);
        m_model->publish();
    });
    m_model->setSorted(false);
    m_model->clear();
    lblSummary->setText(tr("Comparing ..."));
    m_oldName = QFileInfo(txtOld->text()).fileName();
    m_newName = QFileInfo(txtNew->text()).fileName();
    m_oldRun = runFactsOf(txtOld->text());
    m_newRun = runFactsOf(txtNew->text());
    m_sinceYield.invalidate();
    try {
        const ComparisonResult result = compareCatalogues(txtOld->text(), txtNew->text(), *this);
        QString text = tr("%1 added, %2 removed, %3 changed, %4, %5")
                           .arg(result.added)
                           .arg(result.removed)
                           .arg(result.changed)
                           .arg(countOf(result.foldersAdded, QT_TRANSLATE_N_NOOP("Counts", "%1 folder(s) added")),
                                countOf(result.foldersRemoved, QT_TRANSLATE_N_NOOP("Counts", "%1 folder(s) removed")));
        if (result.createdOnly)
            text += QStringLiteral("; ") + (countOf(result.createdOnly, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s) whose created time alone differs (no change)")));
        if (result.stopped)
            text += tr(" (stopped)");
        for (const auto &[name, summary] : {std::pair{m_oldName, result.oldCatalogue}, std::pair{m_newName, result.newCatalogue}})
            if (!summary.complete && !result.stopped)
                text += tr("; %1 ends part-way").arg(name);
        // The totals as each catalogue writes them.
        text += tr(" | older: %1, folders %2, files %3 | newer: %4, folders %5, files %6")
                    .arg(QString::fromUtf8(result.oldCatalogue.headerDate), QString::fromUtf8(result.oldCatalogue.folderTotal),
                         QString::fromUtf8(result.oldCatalogue.fileTotal), QString::fromUtf8(result.newCatalogue.headerDate),
                         QString::fromUtf8(result.newCatalogue.folderTotal), QString::fromUtf8(result.newCatalogue.fileTotal));
        lblSummary->setText(text);
    } catch (const FileError &error) {
        lblSummary->clear();
        m_services.messages.reportDescriptionStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(displayFileName(error.path()), error.description())));
    } catch (const Error &error) {
        lblSummary->clear();
        m_services.messages.reportDescriptionStyle(error);
    }
}

void CompareWindow::cmdStop_Click()
{
    m_stop = true;
}

void CompareWindow::reject()
{
    // Closing stops a comparison under way; it unwinds when this event has been handled.
    m_stop = true;
    QDialog::reject();
}

void CompareWindow::difference(const Difference &d)
{
    const QByteArray path = (d.kind == Difference::Kind::FolderAdded || d.kind == Difference::Kind::FolderRemoved)
                                    && !d.path.endsWith('/')
                                ? d.path + '/'
                                : d.path;
    // A created time that alone differs is no change: counted in the summary, not listed.
    if (d.kind == Difference::Kind::CreatedOnly)
        return;
    const QString change = d.kind == Difference::Kind::Changed ? tr("%1: %2").arg(changeText(d.kind), reasonsOf(d))
                                                               : changeText(d.kind);
    m_model->append({change.toUtf8(), path, typeAndCreated(d.oldType, d.oldCreated, d.oldSize),
                     typeAndCreated(d.newType, d.newCreated, d.newSize)});
}

bool CompareWindow::keepGoing()
{
    if (!m_sinceYield.isValid() || m_sinceYield.elapsed() >= kYieldIntervalMs) {
        m_model->publish();
        yieldToEventLoop();
        m_sinceYield.start();
    }
    return !m_stop;
}

} // namespace kestrova
