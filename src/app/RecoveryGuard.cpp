#include "app/RecoveryGuard.h"

#include <chrono>
#include <sstream>

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include "app/TavrelDoc.h"
#include "fw/UserInterface.h"
#include "model/SheetIo.h"

namespace {

std::string Question(const CRecoveryEntry& entry) {
    const std::string file =
        entry.m_strOriginal.empty()
            ? std::string("名前のないシート（まだ保存されていません）")
            : QDir::toNativeSeparators(QString::fromStdString(entry.m_strOriginal)).toStdString();
    const std::string time = QDateTime::fromSecsSinceEpoch(entry.m_nTime)
                                 .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                                 .toStdString();
    return "前回、保存されないまま終わった編集の復元用コピーがあります。\n\n"
           "ファイル: " +
           file + "\nコピーの日時: " + time +
           "\n\n復元しますか?\n"
           "「はい」: 復元します（上書き保存で元のファイルに書き込みます）\n"
           "「いいえ」: このコピーを破棄します\n"
           "「キャンセル」: 今は開かず、次に起動したときにもう一度たずねます";
}

class CRealClock : public CRecoveryClock {
public:
    CRealClock() {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_fire(); });
    }
    void Start(int ms, std::function<void()> fire) override {
        m_fire = std::move(fire);
        m_timer.start(ms);
    }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }
    std::int64_t Now() const override {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

private:
    QTimer m_timer;
    std::function<void()> m_fire;
};

} // namespace

QString CRecoveryGuard::DefaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

CRecoveryGuard::CRecoveryGuard(CTavrelDoc& doc, const QString& folder)
    : m_doc(doc), m_pRealClock(std::make_unique<CRealClock>()), m_pClock(m_pRealClock.get()) {
    if (!folder.isEmpty())
        m_pStore = std::make_unique<CRecoveryStore>(folder.toStdString());
    m_nCopied = m_nSettled = m_doc.ChangeCount();
    m_doc.SetChangeListener([this] { OnDocumentChanged(); });
    connect(&m_doc, &CTavrelDoc::ChangesDiscarded, this, &CRecoveryGuard::Forget);
}

CRecoveryGuard::~CRecoveryGuard() {
    m_doc.SetChangeListener(nullptr);
    Wait();
}

void CRecoveryGuard::SetClock(CRecoveryClock* clock) {
    m_pClock->Stop();
    m_pClock = clock ? clock : m_pRealClock.get();
}

void CRecoveryGuard::Wait() {
    if (m_worker.joinable())
        m_worker.join();
    m_pWriting.reset();
}

void CRecoveryGuard::OnDocumentChanged() {
    if (!m_doc.IsModified()) {
        Forget();
        return;
    }
    // The timer is not pushed back by later changes: while typing goes on,
    // a copy still comes every interval.
    if (m_pStore && m_doc.ChangeCount() != m_nCopied && !m_pClock->IsActive())
        m_pClock->Start(m_nIntervalMs, [this] { OnTimer(); });
}

void CRecoveryGuard::OnTimer() {
    if (!m_pStore || !m_doc.IsModified() || m_doc.ChangeCount() == m_nCopied)
        return;
    Wait();
    m_pWriting = std::make_unique<CSheetFile>(CSheetFile::kCopyTarget);
    m_pWriting->Copy(m_doc.m_Sheet);
    const CSheetFile* snapshot = m_pWriting.get();
    m_nCopied = m_doc.ChangeCount();
    const std::string original = m_doc.PathName();
    const std::int64_t time = m_pClock->Now();
    CRecoveryStore* store = m_pStore.get();
    const unsigned long long count = m_nCopied;
    m_worker = std::thread([this, store, snapshot, original, time, count] {
        // A copy that cannot be written now (no room, no memory) is tried
        // again after the next change; it never ends the program.
        try {
            std::ostringstream bytes;
            if (WriteSheet(*snapshot, bytes) && !store->Write(bytes.str(), original, time)) {
                m_nSettled = count;
                ++m_nWrites;
            }
        } catch (...) {
        }
    });
}

void CRecoveryGuard::WriteNow() {
    m_pClock->Stop();
    Wait();
    if (!m_pStore || !m_doc.IsModified() || m_doc.ChangeCount() == m_nSettled)
        return;
    m_nCopied = m_doc.ChangeCount();
    std::ostringstream bytes;
    if (WriteSheet(m_doc.m_Sheet, bytes) &&
        !m_pStore->Write(bytes.str(), m_doc.PathName(), m_pClock->Now())) {
        m_nSettled = m_nCopied;
        ++m_nWrites;
    }
}

void CRecoveryGuard::Forget() {
    m_pClock->Stop();
    Wait();
    if (m_pStore)
        m_pStore->Remove();
    m_nCopied = m_nSettled = m_doc.ChangeCount();
}

bool CRecoveryGuard::OfferLeftCopies() {
    if (!m_pStore)
        return false;
    bool restored = false;
    for (const CRecoveryEntry& entry : m_pStore->ClaimLeftCopies()) {
        // One document at a time: the rest wait for the next start.
        if (restored) {
            m_pStore->Release(entry);
            continue;
        }
        switch (
            AfxGetUserInterface().MessageBox(Question(entry), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            if (m_doc.OnOpenRecovered(QString::fromStdString(m_pStore->SheetPath(entry.m_strId)),
                                      QString::fromStdString(entry.m_strOriginal))) {
                m_pStore->Adopt(entry);
                // The copy on disk is what the document holds now.
                m_pClock->Stop();
                m_nCopied = m_nSettled = m_doc.ChangeCount();
                restored = true;
            } else {
                m_pStore->Release(entry); // unreadable now; kept all the same
            }
            break;
        case IDNO:
            m_pStore->Discard(entry);
            break;
        default:
            m_pStore->Release(entry);
            break;
        }
    }
    return restored;
}
