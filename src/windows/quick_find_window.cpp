#include "quick_find_window.h"

#include "counts.h"
#include "hit_actions.h"
#include "layout.h"
#include "result_list.h"
#include "run_copy_window.h"

#include "platform/files/file_names.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kestrova {
namespace {

// Events are handled at most this often while a search runs (a keystroke is seen within it).
constexpr qint64 kYieldIntervalMs = 15;

} // namespace

QuickFindWindow::QuickFindWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services), m_model(std::make_unique<ResultModel>()),
      m_search(*this, services.dates, services.makeFileSystem)
{
    setWindowTitle(tr("Quick Find"));
    m_search.setIndex(services.searchIndex);
    auto *grid = new QGridLayout(this);
    auto *queryLabel = new QLabel(tr("&Find"), this);
    queryLabel->setFont(boldFont(8.25));
    txtQuery = new QLineEdit(this);
    txtQuery->setPlaceholderText(
        tr("words of the name, ext:jpg, size:>100M, modified:2024 ... (F1: the whole language)"));
    txtQuery->setClearButtonEnabled(true);
    queryLabel->setBuddy(txtQuery);
    cmdHelp = new QPushButton(QStringLiteral("?"), this);
    cmdHelp->setAccessibleName(tr("Query language help"));
    cmdHelp->setToolTip(tr("The query language (F1)"));
    grid->addWidget(queryLabel, 0, 0);
    grid->addWidget(txtQuery, 0, 1);
    grid->addWidget(cmdHelp, 0, 2);
    lblError = new QLabel(this);
    lblError->setTextFormat(Qt::PlainText);
    lblError->setAccessibleName(tr("Query error"));
    lblError->setStyleSheet(QStringLiteral("color: #b00020"));
    lblError->setWordWrap(true);
    grid->addWidget(lblError, 1, 1, 1, 2);

    auto *folderLabel = new QLabel(tr("Catalogues f&older"), this);
    txtFolder = new QLineEdit(this);
    folderLabel->setBuddy(txtFolder);
    cmdFolder = new QPushButton(QStringLiteral("..."), this);
    cmdFolder->setAccessibleName(tr("Catalogues folder (choose)"));
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(txtFolder, 2, 1);
    grid->addWidget(cmdFolder, 2, 2);

    LV1 = newResultView(*m_model, this);
    LV1->setAccessibleName(tr("Files found"));
    m_model->setTextOrderColumn(2); // the Created column sorts by the text of its dates
    m_model->setHeaders({tr("File Path"), tr("File Type"), tr("Created"), tr("Catalogue File"),
                         tr("Size"), tr("Modified")});
    LV1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    LV1->setColumnWidth(0, twips(4800));
    LV1->setColumnWidth(1, twips(1500));
    LV1->setColumnWidth(
        2, LV1->fontMetrics().horizontalAdvance(QStringLiteral("27 Apr 2026 20:14:59")) + 16);
    LV1->setColumnWidth(3, twips(1500));
    LV1->setColumnWidth(ResultTable::kSizeColumn,
                        LV1->fontMetrics().horizontalAdvance(QStringLiteral("9,999.9 MiB")) + 16);
    LV1->setColumnWidth(ResultTable::kModifiedColumn,
                        LV1->fontMetrics().horizontalAdvance(QStringLiteral("12/31/26 11:59 PM")) +
                            16);
    LV1->installEventFilter(this);
    grid->addWidget(LV1, 3, 0, 1, 3);

    lblStatus = new QLabel(this);
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setAccessibleName(tr("Hits and catalogues read"));
    lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdExport = new QPushButton(tr("&Export Results..."), this);
    cmdClose = new QPushButton(tr("Close"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(cmdExport);
    bottom->addWidget(cmdClose);
    grid->addLayout(bottom, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    for (QPushButton *button : {cmdHelp, cmdFolder, cmdExport, cmdClose})
        button->setAutoDefault(false);
    const QList<QWidget *> order = {txtQuery, cmdHelp,   txtFolder, cmdFolder,
                                    LV1,      cmdExport, cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(twips(12120), twips(7200));

    m_hitActions = std::make_unique<HitActions>(
        m_services, *LV1, *m_model,
        HitActions::Options{[this] { LV1_DblClick(); },
                            [this](int row) { return m_model->text(row, 3); },
                            {},
                            [this](int row) { return runOf(row); }});

    txtQuery->installEventFilter(this);
    connect(txtQuery, &QLineEdit::textChanged, this, &QuickFindWindow::queryChanged);
    connect(txtFolder, &QLineEdit::editingFinished, this, [this] {
        if (txtFolder->text() != m_folder)
            queryChanged();
    });
    connect(cmdFolder, &QPushButton::clicked, this, &QuickFindWindow::cmdFolder_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &QuickFindWindow::cmdHelp_Click);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &QuickFindWindow::cmdHelp_Click);
    connect(cmdExport, &QPushButton::clicked, m_hitActions.get(), &HitActions::exportResults);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(LV1, &QTableView::doubleClicked, this, &QuickFindWindow::LV1_DblClick);
    connect(LV1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model->setSortColumn(column);
        m_model->setSorted(!m_search.running());
    });
}

QuickFindWindow::~QuickFindWindow()
{
    m_closed = true;
    m_search.stop();
}

void QuickFindWindow::Form_Load()
{
    m_closed = false;
    if (txtFolder->text().isEmpty())
        txtFolder->setText(!m_services.paths.DefaultPath.isEmpty() ? m_services.paths.DefaultPath
                                                                   : m_services.paths.CurrentPath);
    txtQuery->setFocus();
    txtQuery->selectAll();
}

void QuickFindWindow::queryChanged()
{
    const QString text = txtQuery->text();
    if (text.trimmed().isEmpty()) {
        m_waiting.reset();
        m_search.stop();
        lblError->clear();
        if (!m_search.running()) {
            clearRows();
            m_notes.clear();
            lblStatus->clear();
        }
        return;
    }
    QueryParse parsed = parseQuery(text);
    if (!parsed.query) {
        // The last good hits stay; the search for them, if one runs, goes on.
        lblError->setText(parsed.error);
        return;
    }
    lblError->clear();
    m_waiting = std::move(parsed.query);
    if (m_search.running()) {
        m_search.stop(); // the running search ends at its next step; runWaiting() goes on
        return;
    }
    runWaiting();
}

void QuickFindWindow::runWaiting()
{
    while (m_waiting && !m_closed) {
        const Query query = std::move(*m_waiting);
        m_waiting.reset();
        m_folder = txtFolder->text();
        m_runs.reset(m_folder);
        m_notes.clear();
        ++m_started;
        m_search.run(query, m_folder);
        if (m_closed)
            return;
        m_model->publish();
        if (!m_waiting)
            showStatus();
    }
    if (txtQuery->text().trimmed().isEmpty() && !m_closed) {
        clearRows();
        lblStatus->clear();
    }
}

void QuickFindWindow::showStatus()
{
    QString text =
        tr("%1 from %2 read")
            .arg(countOf(quint64(m_search.hits()), QT_TRANSLATE_N_NOOP("Counts", "%1 hit(s)")),
                 countOf(quint64(m_search.cataloguesRead()),
                         QT_TRANSLATE_N_NOOP("Counts", "%1 catalogue(s)")));
    if (!m_notes.isEmpty())
        text += QStringLiteral("; ") + m_notes.join(QStringLiteral("; "));
    lblStatus->setText(text);
    lblStatus->setToolTip(text);
}

void QuickFindWindow::appendRow(const RowTexts &row)
{
    if (!m_closed)
        m_model->append(row);
}

void QuickFindWindow::clearRows()
{
    m_model->setSorted(false);
    m_model->clear();
}

void QuickFindWindow::setSorted(bool on)
{
    if (!m_closed)
        m_model->setSorted(on);
}

void QuickFindWindow::yield()
{
    if (m_sinceYield.isValid() && m_sinceYield.elapsed() < kYieldIntervalMs)
        return;
    if (!m_closed) {
        m_model->publish();
        lblStatus->setText(tr("Searching ... %1")
                               .arg(countOf(quint64(m_search.hits()),
                                            QT_TRANSLATE_N_NOOP("Counts", "%1 hit(s)"))));
    }
    QApplication::processEvents();
    m_sinceYield.start();
}

void QuickFindWindow::folderFailed(const QString &folder, const Error &error)
{
    m_notes << QStringLiteral("%1: %2").arg(displayFileName(folder), error.description());
}

void QuickFindWindow::catalogueFailed(const QByteArray &path, const Error &error)
{
    m_notes << tr("not read: %1 (%2)")
                   .arg(QDir(m_folder).relativeFilePath(displayFileName(decodeFileName(path))),
                        error.description());
}

RunFacts QuickFindWindow::runOf(int row)
{
    return m_runs.of(m_model->text(row, 3));
}

void QuickFindWindow::cmdFolder_Click()
{
    const QString chosen =
        m_services.folderPicker.chooseFolder(tr("Choose the folder of catalogues"));
    if (chosen.isEmpty())
        return;
    txtFolder->setText(chosen);
    queryChanged();
}

void QuickFindWindow::cmdHelp_Click()
{
    if (!m_help) {
        m_help = new QDialog(this);
        m_help->setWindowTitle(tr("Quick Find: the query language"));
        auto *layout = new QVBoxLayout(m_help);
        auto *table = new QTextBrowser(m_help);
        table->setAccessibleName(tr("Query language"));
        table->setHtml(queryHelpTable());
        layout->addWidget(table);
        auto *close = new QPushButton(tr("Close"), m_help);
        connect(close, &QPushButton::clicked, m_help, &QDialog::close);
        layout->addWidget(close, 0, Qt::AlignRight);
        m_help->resize(twips(9000), twips(7500));
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void QuickFindWindow::LV1_DblClick()
{
    const int row = m_hitActions->actedRow();
    if (row < 0)
        return;
    m_services.paths.SelectedPath = m_hitActions->pathToday(row);
    if (!m_runCopyWindow)
        m_runCopyWindow = std::make_unique<RunCopyWindow>(m_services, this);
    m_runCopyWindow->Form_Load();
    m_runCopyWindow->exec();
}

void QuickFindWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape returns to the box, and from the box closes the window.
    if (event->key() == Qt::Key_Escape && !txtQuery->hasFocus()) {
        txtQuery->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool QuickFindWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The path column takes what the others leave of the list's width.
    if (watched == LV1 && event->type() == QEvent::Resize) {
        int others = 0;
        for (int column = 1; column < m_model->columnCount(); ++column)
            others += LV1->columnWidth(column);
        LV1->setColumnWidth(
            0, std::max(twips(3600), LV1->width() - 2 * LV1->frameWidth() - others -
                                         LV1->verticalScrollBar()->sizeHint().width()));
    }
    // Down from the box enters the list at its first row.
    if (watched == txtQuery && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down && m_model->rowCount() > 0) {
        LV1->setFocus();
        if (!LV1->currentIndex().isValid())
            LV1->setCurrentIndex(m_model->index(0, 0));
        LV1->selectRow(LV1->currentIndex().row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QuickFindWindow::done(int result)
{
    // Escape, Close and the title bar all end here: a search still running ends at its next
    // step, and no waiting query starts.
    m_waiting.reset();
    m_search.stop();
    QDialog::done(result);
}

QString queryHelpTable()
{
    const std::pair<const char *, const char *> rows[] = {
        {"holiday", QT_TRANSLATE_NOOP("QueryHelp", "names that hold the text, letter case aside")},
        {"*.jpg &nbsp; IMG_20??.*",
         QT_TRANSLATE_NOOP("QueryHelp",
                           "names that match the pattern whole: * any characters, ? one")},
        {"holiday 2024",
         QT_TRANSLATE_NOOP("QueryHelp", "terms separated by blanks must all match")},
        {"jpg | png &nbsp; jpg OR png", QT_TRANSLATE_NOOP("QueryHelp", "either term matches")},
        {"!tmp &nbsp; NOT tmp", QT_TRANSLATE_NOOP("QueryHelp", "the term must not match")},
        {"(a | b) c", QT_TRANSLATE_NOOP("QueryHelp", "parentheses group terms")},
        {"\"two words\"",
         QT_TRANSLATE_NOOP("QueryHelp", "one term with its blank, taken as it stands")},
        {"path:include/stdio.h",
         QT_TRANSLATE_NOOP("QueryHelp", "the full path (folder and name) holds the text")},
        {"ext:jpg;png", QT_TRANSLATE_NOOP("QueryHelp", "the name's extension is one of these")},
        {"type:image", QT_TRANSLATE_NOOP("QueryHelp", "the file type holds the text")},
        {"drive:usb",
         QT_TRANSLATE_NOOP("QueryHelp",
                           "the catalogue's file name or the drive's label holds the text")},
        {"size:&gt;100M &nbsp; size:&lt;1K &nbsp; size:1M..4G &nbsp; size:0",
         QT_TRANSLATE_NOOP(
             "QueryHelp",
             "the size (K, M, G, T: powers of 1024); files of unknown size never match")},
        {"modified:2024 &nbsp; modified:2024-06<br>modified:&gt;2024-06-01 &nbsp; "
         "modified:2024-01..2024-03",
         QT_TRANSLATE_NOOP(
             "QueryHelp",
             "the last modification: a year, a month, a day, after, before or a range")},
        {"created:2024-06",
         QT_TRANSLATE_NOOP("QueryHelp", "the Created column, read as a date, in the same forms")},
        {"regex:^IMG_\\d+",
         QT_TRANSLATE_NOOP("QueryHelp", "the name matches the regular expression")},
        {"case:", QT_TRANSLATE_NOOP("QueryHelp", "anywhere in the query: letter case must match")},
    };
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\">");
    for (const auto &[example, meaning] : rows)
        html += QStringLiteral("<tr><td><code>%1</code></td><td>%2</td></tr>")
                    .arg(QLatin1String(example),
                         QCoreApplication::translate("QueryHelp", meaning).toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

} // namespace kestrova
