// The job-type part of the Job Options page: choosing Normal, Secure Print,
// Store for Re-print or Encrypted (IC-card) Secure Print, with the JOB PIN
// dialog, the cipher library's dialog and the copies rule they bring.
#include <cstddef>
#include <cstring>
#include <string>

#include "common/family/family_libraries.h"
#include "ui/dialogs/control_ranges.h"
#include "ui/dialogs/resource_message.h"
#include "ui/pages/job_options_page.h"
#include "ui/pages/page_text.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr std::uint32_t kDecryptedPasswordBytes = 13;  // at most 12 characters and the terminator
constexpr char16_t kNoDecryptExport[] = u"CCiperSet::DecryptPassword() : pfnDecryptPassword is NULL";
constexpr char16_t kNoCipherModule[] = u"CCiperSet::DecryptPassword() : m_hModule is NULL";

// Clears a flag for as long as a dialog it guards is open.
class DialogOpen {
public:
    explicit DialogOpen(bool& idle) : idle_(idle) { idle_ = false; }
    ~DialogOpen() { idle_ = true; }
    DialogOpen(const DialogOpen&) = delete;
    DialogOpen& operator=(const DialogOpen&) = delete;

private:
    bool& idle_;
};

}  // namespace

// The cipher library as the page uses it, loaded for one use.
class CCiperSet {
public:
    CCiperSet(const PageServices& s)
        : m_library(loadFamilyLibrary(s.config, s.loader, s.capabilityFile, kCipherKey)) {}
    bool loaded() const { return m_library.loaded(); }
    const CipherLibrary& library() const { return m_library; }

    // The stored password in clear; nothing when it does not decrypt. A
    // library without the export is reported, as support needs to know.
    std::optional<std::string> DecryptPassword(DialogView& view, const PrivateRecord& record) const {
        if (!m_library.exports("DecryptPassword")) {
            view.messageBox(kNoDecryptExport, u"", kMessageOk);
            return std::nullopt;
        }
        const std::uint32_t length = record.cryptPasswordLength < sizeof record.cryptPassword
                                         ? record.cryptPasswordLength
                                         : static_cast<std::uint32_t>(sizeof record.cryptPassword);
        return m_library.decryptPassword(record.cryptPassword, length, kDecryptedPasswordBytes);
    }

private:
    CipherLibrary m_library;
};

void JobOptionsPage::chooseJobType(JobType type) {
    // A click while a dialog of this choice is open, or one that the
    // focus returning to a radio generates, must not open another.
    if (!s_.state.jobTypeDialogIdle) return;
    if (type == JobType::Normal) {
        s_.state.copiesWarningArmed = true;
        s_.state.jobTypeLastAccepted = true;
        setJobType(JobType::Normal);
        refresh();
        changed();
        return;
    }
    if (!view_.checked(IDC_JOBTYPE_NORMAL + static_cast<int>(type))) return;
    if (type == jobType() && s_.state.jobTypeLastAccepted) return;

    if (type == JobType::Secure || type == JobType::Store) {
        forceSingleCopy();
        const bool pinStored = record_.password[0] != 0;
        const bool nameStored = record_.jobName[0] != 0 || record_.askAtPrint != 0;
        bool accepted = pinStored && nameStored;
        if (!accepted) {
            DialogOpen open(s_.state.jobTypeDialogIdle);
            accepted = sheet_.runDialog(kJobPinDialog) != 0;
        }
        if (accepted) keepJobType(type);
        else returnToNormal();
        return;
    }

    // Encrypted (or IC-card) Secure Print.
    if (!cipherConfigured()) return;
    if (!ctx_.icCardAvailable) forceSingleCopy();
    bool accepted = true;
    if (!ctx_.icCardAvailable && needsCipherDialog()) {
        DialogOpen open(s_.state.jobTypeDialogIdle);
        accepted = runCipherDialog(std::string(), 0, cipherDialogMode());
    }
    if (accepted) keepJobType(type);
    else returnToNormal();
}

// Secure and stored jobs print one copy; more are made at the printer.
bool JobOptionsPage::forceSingleCopy() {
    if (!ctx_.has(Feature::Copies) || sel(Feature::Copies) == 1) return false;
    if (s_.state.copiesWarningArmed) {
        s_.state.copiesWarningArmed = false;
        ShowResourceMessage(view_, s_.strings, IDS_COPIES_WARNING, IDS_WARNING, kMessageWarning);
    }
    sel(Feature::Copies) = 1;
    view_.setUpDownValue(IDC_COPIES_UPDOWN, 1);
    EnableControlRange(view_, IDC_COPIES_LABEL, IDC_COPIES_LAST, false);
    view_.enable(IDC_COLLATE, false);
    return true;
}

bool JobOptionsPage::needsCipherDialog() {
    if (record_.cryptPasswordLength == 0) return record_.cryptOption == 0;
    CCiperSet cipher(s_);
    if (!cipher.loaded()) {
        view_.messageBox(kNoCipherModule, u"", kMessageOk);
        return record_.cryptOption == 0;
    }
    return !cipher.DecryptPassword(view_, record_).has_value();
}

int JobOptionsPage::cipherDialogMode() const {
    if (ctx_.icCardAvailable) return 2;
    return (s_.state.os.newer() || sharedOrNetwork_) ? 1 : 0;
}

bool JobOptionsPage::runCipherDialog(const std::string& password, std::uint32_t option, int mode) {
    CCiperSet cipher(s_);
    if (!cipher.loaded()) return false;
    family::CipherBlock block{};
    block.mode = record_.cryptMode;
    block.strength = record_.cryptStrength;
    std::strncpy(block.password, password.c_str(), sizeof block.password - 1);
    block.option = option;
    block.keepingTime = record_.cryptTimeLimit;
    if (!cipher.library().showCryptoDialog(view_.ownerWindow(), block, mode)) return false;

    record_.cryptMode = block.mode;
    record_.cryptStrength = block.strength;
    record_.cryptOption = block.option;
    record_.cryptTimeLimit = block.keepingTime;
    const std::string confirmed(block.password, strnlen(block.password, sizeof block.password));
    if (auto encrypted = cipher.library().encryptPassword(confirmed)) {
        std::memset(record_.cryptPassword, 0, sizeof record_.cryptPassword);
        const std::size_t n = encrypted->size() < sizeof record_.cryptPassword ? encrypted->size()
                                                                               : sizeof record_.cryptPassword;
        std::memcpy(record_.cryptPassword, encrypted->data(), n);
        record_.cryptPasswordLength = static_cast<std::uint32_t>(n);
    }
    return true;
}

void JobOptionsPage::keepJobType(JobType type) {
    setJobType(type);
    s_.state.jobTypeLastAccepted = true;
    refresh();
    changed();
}

void JobOptionsPage::returnToNormal() {
    setJobType(JobType::Normal);
    s_.state.jobTypeLastAccepted = false;
    view_.focus(IDC_JOBTYPE_NORMAL);
    for (int id = IDC_JOBTYPE_NORMAL; id <= IDC_JOBTYPE_ENCRYPTED; ++id) view_.setChecked(id, id == IDC_JOBTYPE_NORMAL);
    refresh();
    changed();
}

void JobOptionsPage::jobTypeSettings() {
    if (jobType() == JobType::Encrypted) {
        CCiperSet cipher(s_);
        if (!cipher.loaded()) return;
        std::string password;
        if (record_.cryptPasswordLength > 0) password = cipher.DecryptPassword(view_, record_).value_or("");
        DialogOpen open(s_.state.jobTypeDialogIdle);
        if (runCipherDialog(password, record_.cryptOption, cipherDialogMode())) changed();
        return;
    }
    if (jobType() == JobType::Secure || jobType() == JobType::Store) {
        DialogOpen open(s_.state.jobTypeDialogIdle);
        sheet_.runDialog(kJobPinDialog);
    }
}

void JobOptionsPage::userAuthentication() {
    UserAuthLibrary library(loadFamilyLibrary(s_.config, s_.loader, s_.capabilityFile, kUserAuthKey));
    if (!library.loaded()) return;
    record_.uaValue2 = featureOption(s_.settings, "ZEOutputManagement") == "True" ? 1 : 0;
    if (library.showUserAuthDialog(s_.codePage, view_.ownerWindow(), s_.capabilityFile, s_.printerName,
                                   reinterpret_cast<std::uint8_t*>(&record_) + offsetof(PrivateRecord, uaEnabled)))
        changed();
}

}  // namespace wren::ui
