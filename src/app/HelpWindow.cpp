#include "app/HelpWindow.h"

#include <algorithm>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "fw/UserInterface.h"
#include "res/ToolBarImages.h"

namespace {

// Pages, pictures and the stylesheet come out of the help file.
class CHelpBrowser : public QTextBrowser {
public:
    CHelpBrowser(QHelpEngine* pEngine, QWidget* pParent)
        : QTextBrowser(pParent), m_pEngine(pEngine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp"))
            return m_pEngine->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* m_pEngine;
};

} // namespace

CHelpWindow::CHelpWindow(QWidget* pParent) : QWidget(pParent, Qt::Window) {
    setWindowTitle(QStringLiteral("Tavreler ヘルプ"));
    setWindowIcon(AppIcon());
}

CHelpWindow::~CHelpWindow() = default;

bool CHelpWindow::SetCollection(const QString& path) {
    if (!m_pEngine || path != m_strCollection) {
        // Start afresh: the widgets belong to the engine they show.
        delete layout();
        qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
        delete m_pEngine;
        m_strCollection = path;
        m_pEngine = new QHelpEngine(path, this);
        // An installed collection lies in a folder the user cannot write to.
        m_pEngine->setReadOnly(true);
        m_pEngine->setupData();
        Build();
    }
    const QStringList names = m_pEngine->registeredDocumentations();
    return !names.isEmpty() && QFileInfo::exists(m_pEngine->documentationFileName(names.first()));
}

void CHelpWindow::Build() {
    m_pTabs = new QTabWidget(this);

    QHelpContentWidget* contents = m_pEngine->contentWidget();
    contents->setObjectName(QStringLiteral("contents"));
    // Entries are never cut short: the column is as wide as its longest
    // entry, with a scroll bar when the pane is narrower.
    contents->header()->setStretchLastSection(false);
    contents->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_pTabs->addTab(contents, QStringLiteral("目次(&C)"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &CHelpWindow::ShowUrl);
    // The tree is filled in the background: open its first level and mark the page shown.
    connect(m_pEngine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandToDepth(0);
        if (m_pBrowser)
            SelectInContents(m_pBrowser->source());
        WidenContents();
    });

    auto* indexPage = new QWidget(m_pTabs);
    auto* label = new QLabel(QStringLiteral("検索するキーワード(&W):"), indexPage);
    m_pSearch = new QLineEdit(indexPage);
    m_pSearch->setObjectName(QStringLiteral("search"));
    label->setBuddy(m_pSearch);
    QHelpIndexWidget* index = m_pEngine->indexWidget();
    index->setObjectName(QStringLiteral("index"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(label);
    indexLayout->addWidget(m_pSearch);
    indexLayout->addWidget(index);
    m_pTabs->addTab(indexPage, QStringLiteral("キーワード(&N)"));
    // On the index page the keyboard goes straight into the search field.
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this, indexPage](int) {
        if (m_pTabs->currentWidget() == indexPage)
            m_pSearch->setFocus();
    });
    connect(m_pSearch, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(m_pSearch, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& doc, const QString&) { ShowUrl(doc.url); });
    // A keyword of several topics asks which one, as help viewers do.
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& docs, const QString& keyword) {
                if (const std::optional<QUrl> url = ChooseTopic(docs, keyword))
                    ShowUrl(*url);
            });

    m_pBrowser = new CHelpBrowser(m_pEngine, this);
    m_pBrowser->setObjectName(QStringLiteral("page"));
    m_pBrowser->setOpenLinks(false);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnLinkClicked);

    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->addWidget(m_pTabs);
    m_pSplitter->addWidget(m_pBrowser);
    m_pSplitter->setStretchFactor(1, 3);
    m_pSplitter->setSizes({240, 580});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pSplitter);
}

void CHelpWindow::WidenContents() {
    // Wide enough for the open entries, up to half the window; what is
    // wider still scrolls.
    QHelpContentWidget* contents = m_pEngine->contentWidget();
    contents->resizeColumnToContents(0);
    const int entries = contents->columnWidth(0) + 2 * contents->frameWidth() +
                        contents->verticalScrollBar()->sizeHint().width() + 8;
    const int pane = m_pTabs->width() - contents->width() + entries;
    const QList<int> sizes = m_pSplitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0 || pane <= sizes.value(0))
        return;
    const int left = std::min(pane, total / 2);
    m_pSplitter->setSizes({left, total - left});
}

void CHelpWindow::ShowDefaultTopic() {
    const QStringList names = m_pEngine ? m_pEngine->registeredDocumentations() : QStringList();
    if (!names.isEmpty())
        ShowUrl(QUrl(QStringLiteral("qthelp://%1/doc/index.html").arg(names.first())));
    m_pTabs->setCurrentIndex(0);
    Present();
}

bool CHelpWindow::ShowContext(DWORD dwContext) {
    const QList<QHelpLink> docs =
        m_pEngine ? m_pEngine->documentsForIdentifier(QString::number(dwContext))
                  : QList<QHelpLink>();
    if (docs.isEmpty()) {
        ShowDefaultTopic();
        return false;
    }
    ShowUrl(docs.first().url);
    m_pTabs->setCurrentIndex(0);
    Present();
    return true;
}

void CHelpWindow::ShowIndex() {
    if (m_pBrowser->source().isEmpty())
        ShowDefaultTopic();
    m_pTabs->setCurrentIndex(1);
    Present();
    m_pSearch->setFocus();
    m_pSearch->selectAll();
}

QString CHelpWindow::MissingFile(const QString& path) {
    const QFileInfo qhc(path);
    if (path.isEmpty() || !qhc.isFile())
        return qhc.absoluteFilePath();
    const QFileInfo qch(qhc.absolutePath() + QChar('/') + qhc.completeBaseName() +
                        QStringLiteral(".qch"));
    if (!qch.isFile())
        return qch.absoluteFilePath();
    return QString();
}

bool CHelpWindow::HasTopic(const QString& path, DWORD dwContext) {
    if (!QFileInfo::exists(path))
        return false;
    QHelpEngineCore engine(path);
    engine.setReadOnly(true);
    if (!engine.setupData())
        return false;
    // The collection keeps its own copy of the index: the help file itself must be there too.
    const QStringList names = engine.registeredDocumentations();
    if (names.isEmpty() || !QFileInfo::exists(engine.documentationFileName(names.first())))
        return false;
    return !engine.documentsForIdentifier(QString::number(dwContext)).isEmpty();
}

QUrl CHelpWindow::CurrentUrl() const {
    return m_pBrowser ? m_pBrowser->source() : QUrl();
}

void CHelpWindow::ShowUrl(const QUrl& url) {
    m_pBrowser->setSource(url);
    SelectInContents(url);
}

void CHelpWindow::SelectInContents(const QUrl& url) {
    QHelpContentWidget* contents = m_pEngine->contentWidget();
    const QModelIndex item = contents->indexOf(url);
    if (item.isValid())
        contents->setCurrentIndex(item);
}

void CHelpWindow::OnLinkClicked(const QUrl& url) {
    if (url.scheme() == QLatin1String("qthelp")) {
        ShowUrl(url);
        return;
    }
    // Addresses outside the help file go to the desktop's opener.
    AfxGetUserInterface().ShellOpen(url.toString().toStdString());
}

std::optional<QUrl> CHelpWindow::ChooseTopic(const QList<QHelpLink>& docs, const QString& keyword) {
    if (docs.size() < 2)
        return docs.isEmpty() ? std::nullopt : std::optional<QUrl>(docs.first().url);
    QDialog dlg(this);
    dlg.setObjectName(QStringLiteral("topics"));
    dlg.setWindowTitle(QStringLiteral("トピックの選択"));
    auto* label = new QLabel(QStringLiteral("「%1」のトピック(&T):").arg(keyword), &dlg);
    auto* list = new QListWidget(&dlg);
    for (const QHelpLink& doc : docs)
        list->addItem(doc.title.isEmpty() ? doc.url.fileName() : doc.title);
    list->setCurrentRow(0);
    label->setBuddy(list);
    auto* buttons = new QDialogButtonBox(&dlg);
    buttons->addButton(QStringLiteral("表示(&D)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, &dlg, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dlg.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return docs[list->currentRow()].url;
}

void CHelpWindow::Place() {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Its own size where the screen has room, else nine tenths of the free
    // area, so the frame the window manager adds stays on the screen too.
    const QRect area = screen->availableGeometry();
    const QSize size = QSize(820, 600).boundedTo(area.size() * 9 / 10);
    resize(size);
    QRect rc(QPoint(0, 0), size);
    rc.moveCenter(owner && owner->isVisible() ? owner->frameGeometry().center() : area.center());
    rc.moveLeft(std::clamp(rc.left(), area.left(), area.right() + 1 - size.width()));
    rc.moveTop(std::clamp(rc.top(), area.top(), area.bottom() + 1 - size.height()));
    move(rc.topLeft());
}

void CHelpWindow::Present() {
    // Placed when it first opens; after that where the user left it.
    if (!m_bPlaced) {
        m_bPlaced = true;
        Place();
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
