#include "app/HelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
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
    resize(820, 600);
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
    m_pTabs->addTab(contents, QStringLiteral("目次(&C)"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &CHelpWindow::ShowUrl);
    // The tree is filled in the background: open its first level and mark the page shown.
    connect(m_pEngine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandToDepth(0);
        if (m_pBrowser)
            SelectInContents(m_pBrowser->source());
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
    // A keyword of several topics shows the first; the rest stay a click away in the contents.
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& docs, const QString&) {
                if (!docs.isEmpty())
                    ShowUrl(docs.first().url);
            });

    m_pBrowser = new CHelpBrowser(m_pEngine, this);
    m_pBrowser->setObjectName(QStringLiteral("page"));
    m_pBrowser->setOpenLinks(false);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnLinkClicked);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({240, 580});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
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

void CHelpWindow::Present() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
