#include "copies_window.h"

#include "counts.h"
#include "hit_actions.h"
#include "layout.h"
#include "result_list.h"
#include "run_copy_window.h"

#include "catalogue/catalogue_facts.h"
#include "platform/desktop/event_loop.h"
#include "platform/files/file_names.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>

namespace kestrova {
namespace {

} // namespace

CopiesWindow::CopiesWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services), m_model(std::make_unique<ResultModel>())
{
    setWindowTitle(tr("Copies"));
    auto *grid = new QGridLayout(this);
    auto *folderLabel = new QLabel(tr("Catalogues &folder"), this);
    folderLabel->setFont(boldFont(8.25));
    txtFolder = new QLineEdit(this);
    folderLabel->setBuddy(txtFolder);
    cmdFolder = new QPushButton(QStringLiteral("..."), this);
    cmdFolder->setAccessibleName(tr("Catalogues folder (choose)"));
    grid->addWidget(folderLabel, 0, 0);
    grid->addWidget(txtFolder, 0, 1);
    grid->addWidget(cmdFolder, 0, 2);

    optSingle = new QRadioButton(tr("&Single copies: files on one drive only"), this);
    optDuplicates = new QRadioButton(tr("&Duplicates: files stored more than once"), this);
    optSingle->setChecked(true);
    auto *underLabel = new QLabel(tr("&Under"), this);
    txtUnder = new QLineEdit(this);
    txtUnder->setPlaceholderText(tr("a folder as catalogued, e.g. /media/photos"));
    txtUnder->setToolTip(tr("Only the single copies in this folder or below it"));
    underLabel->setBuddy(txtUnder);
    auto *modes = new QHBoxLayout;
    modes->addWidget(optSingle);
    modes->addWidget(underLabel);
    modes->addWidget(txtUnder, 1);
    grid->addLayout(modes, 1, 0, 1, 3);
    grid->addWidget(optDuplicates, 2, 0, 1, 3);

    cmdFind = new QPushButton(tr("F&ind"), this);
    cmdStop = new QPushButton(tr("S&top"), this);
    cmdStop->setEnabled(false);
    grid->addWidget(cmdFind, 0, 3);
    grid->addWidget(cmdStop, 1, 3);

    LV1 = newResultView(*m_model, this);
    LV1->setAccessibleName(tr("Files found"));
    m_model->setHeaders({tr("File Path"), tr("File Type"), tr("Copies"),
                         tr("Catalogue File"), tr("Size"), tr("Modified")});
    LV1->horizontalHeader()->setSectionHidden(ResultTable::kModifiedColumn, true);
    grid->addWidget(LV1, 3, 0, 1, 4);
    LV1->installEventFilter(this);
    lblProgress = new QLabel(this);
    lblProgress->setTextFormat(Qt::PlainText);
    lblProgress->setAccessibleName(tr("Progress of the search")); // also while empty
    lblProgress->setWordWrap(true);
    lblProgress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(lblProgress, 4, 0, 1, 4);
    cmdExport = new QPushButton(tr("&Export Results..."), this);
    cmdExport->setEnabled(false);
    cmdClose = new QPushButton(tr("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdExport);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, 5, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    // Tab goes in reading order: row by row, left to right.
    const QList<QWidget *> order = {txtFolder, cmdFolder, cmdFind, optSingle, txtUnder, cmdStop, optDuplicates, LV1,
                                    cmdExport, cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(fitScreen(this, QSize(twips(12120), twips(8295))));
    // Each column at least as wide as its header (in every language).
    const QHeaderView *header = LV1->horizontalHeader();
    LV1->setColumnWidth(1, std::max(twips(1800), header->sectionSizeHint(1)));
    LV1->setColumnWidth(2, std::max(LV1->fontMetrics().horizontalAdvance(QStringLiteral("Copies 9999")), header->sectionSizeHint(2)));
    LV1->setColumnWidth(3, std::max(twips(1800), header->sectionSizeHint(3)));
    LV1->setColumnWidth(ResultTable::kSizeColumn, dataSizeColumnWidth(*LV1, ResultTable::kSizeColumn));
    // Enter in a box finds; no button takes it.
    for (QPushButton *button : {cmdFolder, cmdFind, cmdStop, cmdExport, cmdClose})
        button->setAutoDefault(false);

    m_hitActions = std::make_unique<HitActions>(
        m_services, *LV1, *m_model,
        HitActions::Options{[this] { LV1_DblClick(); }, [this](int row) { return m_model->text(row, 3); },
                            {"File Path", "File Type", "Copies", "Catalogue File"},
                            [this](int row) { return runOf(row); }, nullptr, {},
                            [this](int row) { return catalogueHitsOf(row); }});

    connect(cmdFolder, &QPushButton::clicked, this, &CopiesWindow::cmdFolder_Click);
    connect(cmdFind, &QPushButton::clicked, this, &CopiesWindow::cmdFind_Click);
    connect(txtFolder, &QLineEdit::returnPressed, this, &CopiesWindow::cmdFind_Click);
    connect(txtUnder, &QLineEdit::returnPressed, this, &CopiesWindow::cmdFind_Click);
    connect(cmdStop, &QPushButton::clicked, this, &CopiesWindow::cmdStop_Click);
    connect(cmdExport, &QPushButton::clicked, m_hitActions.get(), &HitActions::exportResults);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(optSingle, &QRadioButton::toggled, txtUnder, &QWidget::setEnabled);
    connect(LV1, &QTableView::doubleClicked, this, &CopiesWindow::LV1_DblClick);
    connect(LV1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model->setSortColumn(column);
        m_model->setSorted(!m_running);
    });
}

CopiesWindow::~CopiesWindow() = default;

void CopiesWindow::Form_Load()
{
    if (txtFolder->text().isEmpty())
        txtFolder->setText(!m_services.paths.CurrentPath.isEmpty() ? m_services.paths.CurrentPath
                                                                   : m_services.paths.DefaultPath);
}

void CopiesWindow::cmdFolder_Click()
{
    const QString chosen = m_services.folderPicker.chooseFolder(tr("Choose the folder of catalogues"));
    if (!chosen.isEmpty())
        txtFolder->setText(chosen);
}

void CopiesWindow::cmdFind_Click()
{
    if (m_running)
        return;
    if (txtFolder->text().isEmpty()) {
        m_services.messages.inform(
            tr("Choose the folder of catalogues first: type its path or press the button beside it."));
        txtFolder->setFocus();
        return;
    }
    m_running = true;
    m_stop = false;
    m_failures.clear();
    for (QWidget *control : std::initializer_list<QWidget *>{cmdFind, cmdExport, optSingle, optDuplicates})
        control->setEnabled(false);
    cmdStop->setEnabled(true);
    const auto done = qScopeGuard([this] {
        m_running = false;
        for (QWidget *control : std::initializer_list<QWidget *>{cmdFind, optSingle, optDuplicates})
            control->setEnabled(true);
        cmdExport->setEnabled(m_model->rowCount() > 0);
        cmdStop->setEnabled(false);
    });
    m_model->setSorted(false);
    m_model->clear();
    lblProgress->setText(tr("Reading the catalogues ..."));
    CopiesOptions options;
    options.mode = optSingle->isChecked() ? CopiesOptions::Mode::Single : CopiesOptions::Mode::Duplicates;
    if (optSingle->isChecked())
        options.under = encodeFileName(txtUnder->text().trimmed());
    m_folder = txtFolder->text();
    m_runs.reset(m_folder);
    try {
        const std::unique_ptr<FileSystem> fileSystem = m_services.makeFileSystem();
        CopiesResult result = copiesReport(*fileSystem, m_folder, options, *this);
        showResult(result);
    } catch (const Error &error) {
        lblProgress->clear();
        m_services.messages.reportDescriptionStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(displayFileName(m_folder), error.description())));
    }
}

void CopiesWindow::showResult(CopiesResult &result)
{
    qint64 spare = 0;
    qint64 total = 0;
    qint64 groups = 0;
    while (result.next()) {
        const qint64 size = result.fileSize();
        const QByteArray copies = QByteArray::number(result.copies());
        m_model->append({result.path(), result.type(), copies, result.catalogue().toUtf8(), size, result.modifiedNs()});
        total = addSizes(total, std::max<qint64>(0, size));
        if (result.startsGroup()) {
            ++groups;
            if (!result.sizeUnknownGroup())
                spare = addSizes(spare, spareBytes(size, result.copies()));
        }
    }
    m_model->publish();
    const QLocale locale;
    QString text = optSingle->isChecked()
                       ? tr("%1 on one drive only, %2")
                             .arg(countOf(result.size(), QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                                  locale.formattedDataSize(total))
                       : tr("%1 of %2; %3 in copies beyond the first")
                             .arg(countOf(result.size(), QT_TRANSLATE_N_NOOP("Counts", "%1 copy(ies)")),
                                  countOf(groups, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                                  locale.formattedDataSize(spare));
    static const char *const inCatalogues[] = QT_TRANSLATE_N_NOOP3("Counts", "%1 catalogue(s)", "after in");
    text += tr(" (%1 in %2 of %3)")
                .arg(countOf(qint64(result.entries), QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                     countOf(result.catalogues.size(), inCatalogues[0], inCatalogues[1]),
                     countOf(result.drives, QT_TRANSLATE_N_NOOP("Counts", "%1 drive(s)")));
    if (result.stopped)
        text += tr(" (stopped)");
    if (!result.withoutFacts.isEmpty())
        text += tr("; sizes unknown in %1: their files count as copies by name and type")
                    .arg(result.withoutFacts.join(QStringLiteral(", ")));
    if (!result.history.isEmpty())
        text += tr("; older catalogues of a drive catalogued again, read as history: %1")
                    .arg(result.history.join(QStringLiteral(", ")));
    for (const QString &facts : result.damagedFacts)
        text += tr("; %1 is damaged: the sizes it does not give count as unknown")
                    .arg(QDir(m_folder).relativeFilePath(displayFileName(facts)));
    for (const QString &folder : result.refusedFacts)
        text += QStringLiteral("; ") + refusedFactsNotice(folder);
    if (!m_failures.isEmpty())
        text += tr("; not read: %1").arg(m_failures.join(QStringLiteral("; ")));
    lblProgress->setText(text);
}

bool CopiesWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The path column takes what the others leave of the list's width.
    if (watched == LV1 && event->type() == QEvent::Resize)
        fitPathColumn();
    return QDialog::eventFilter(watched, event);
}

void CopiesWindow::fitPathColumn()
{
    int others = 0;
    for (int column = 1; column < m_model->columnCount(); ++column)
        if (!LV1->horizontalHeader()->isSectionHidden(column))
            others += LV1->columnWidth(column);
    LV1->setColumnWidth(0, std::max(twips(2400), LV1->width() - 2 * LV1->frameWidth() - others));
}

void CopiesWindow::cmdStop_Click()
{
    m_stop = true;
}

void CopiesWindow::reject()
{
    // Closing stops a report under way; it unwinds when this event has been handled.
    m_stop = true;
    QDialog::reject();
}

bool CopiesWindow::keepGoing(const CopiesProgress &progress)
{
    lblProgress->setText(tr("%1: %2 of %3, %4")
                             .arg(progress.reading == 1 ? tr("Counting") : tr("Listing"))
                             .arg(progress.cataloguesDone)
                             .arg(countOf(progress.catalogues, QT_TRANSLATE_N_NOOP("Counts", "%1 catalogue(s)")),
                                  countOf(qint64(progress.entriesRead), QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)"))));
    yieldToEventLoop();
    return !m_stop;
}

void CopiesWindow::catalogueFailed(const QString &catalogue, const Error &error)
{
    m_failures << QStringLiteral("%1 (%2)").arg(QDir(m_folder).relativeFilePath(displayFileName(catalogue)),
                                                error.description());
}

QList<CatalogueHit> CopiesWindow::catalogueHitsOf(int row) const
{
    const QDir folder(m_runs.folder());
    QList<CatalogueHit> hits{{folder.filePath(m_model->text(row, 3)), m_model->filePathBytes(row)}};
    if (!optDuplicates->isChecked())
        return hits;
    // The copies of the row's file: the rows of the same name and size (of the same name and
    // type where sizes are not known), in the list's order.
    const ResultTable &table = m_model->table();
    const auto nameOf = [&](int each) {
        const QByteArrayView path = table.text(each, 0);
        return path.sliced(path.lastIndexOf('/') + 1);
    };
    const qint64 size = table.size(row);
    for (int each = 0; each < m_model->rowCount(); ++each)
        if (each != row && table.size(each) == size && nameOf(each) == nameOf(row)
            && (size >= 0 || table.text(each, 1) == table.text(row, 1)))
            hits.append({folder.filePath(m_model->text(each, 3)), m_model->filePathBytes(each)});
    return hits;
}

RunFacts CopiesWindow::runOf(int row)
{
    return m_runs.of(m_model->text(row, 3));
}

void CopiesWindow::LV1_DblClick()
{
    const int row = m_hitActions->actedRow();
    if (row < 0)
        return;
    m_services.paths.SelectedPath = m_hitActions->pathToday(row);
    if (!m_runCopyWindow)
        m_runCopyWindow = std::make_unique<RunCopyWindow>(m_services, this);
    m_runCopyWindow->setWhereabouts(m_services.paths.SelectedPath,
                                    [this, row] { return m_hitActions->whereabouts(row); });
    m_runCopyWindow->Form_Load();
    m_runCopyWindow->exec();
    m_runCopyWindow->txtpath->clear();
}

} // namespace kestrova
