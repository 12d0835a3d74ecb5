// The Job Options page: print quality, toner saving, custom gamma, the job
// type with its PIN or encryption, copies, scale and fit to page, and the
// buttons that open the sub-dialogs. A portable controller over the page's
// view; the Win32 dialog procedure forwards its messages here.
#pragma once

#include <cstdint>
#include <string>

#include "common/family/family_exports.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/pages/page_services.h"

namespace wren::ui {

enum class JobType : std::int32_t { Normal = 0, Secure = 1, Store = 2, Encrypted = 3 };

class JobOptionsPage {
public:
    JobOptionsPage(PageServices& services, DialogView& view, SheetActions& sheet);

    void initialize();                       // WM_INITDIALOG
    void activate();                         // PSN_SETACTIVE
    void refresh();                          // after most changes
    void command(int id, int notification);  // WM_COMMAND
    bool leave();                            // PSN_KILLACTIVE: false keeps the page active
    void apply();                            // PSN_APPLY
    void reset();                            // PSN_RESET

    // What the owner-drawn controls and the cursor show.
    int qualityPictureId() const;
    bool linkActive() const { return !linkTarget_.empty(); }

    // Facts settled at initialisation (for tests and the view).
    bool hardDisk() const { return hardDisk_; }
    std::int32_t customGamma() const { return gamma_; }
    int fitPosition() const { return fitPosition_; }
    bool fitToPage() const { return fit_; }

private:
    // Initialisation steps.
    void adjustOutputBin();
    void fillGammaList();
    void fillTonerList();
    void applyFinishingRules();
    void setUpCopiesAndScale();
    void setUpFitToPage();
    void settleJobType();
    // Refresh parts.
    void refreshControls();
    void refreshJobType();
    void refreshCopies();
    void refreshGamma();
    void refreshFitToPage();
    // Commands.
    void chooseJobType(JobType type);
    void jobTypeSettings();
    void returnToNormal();
    void keepJobType(JobType type);
    bool forceSingleCopy();
    bool needsCipherDialog();
    bool runCipherDialog(const std::string& password, std::uint32_t option, int mode);
    int cipherDialogMode() const;
    void userAuthentication();
    void editNumber(int editId, int notification);
    void fitToPageClicked();
    void restoreDefaults();
    void openSubDialog(int templateId);
    bool validateNumber(int editId, Feature feature);
    void changed();

    bool cipherConfigured() const { return !cipherLibraryName_.empty(); }
    std::int32_t& sel(Feature f) { return ctx_[f].sel; }
    JobType jobType() const { return static_cast<JobType>(ctx_[Feature::ZEJob_Type].sel); }
    void setJobType(JobType t) { ctx_[Feature::ZEJob_Type].sel = static_cast<std::int32_t>(t); }

    PageServices& s_;
    SheetContext& ctx_;
    PrivateRecord& record_;
    DialogView& view_;
    SheetActions& sheet_;

    std::u16string cipherLibraryName_;
    std::u16string userAuthLibraryName_;
    std::u16string linkTarget_;
    bool hardDisk_ = false;
    bool sharedOrNetwork_ = false;
    std::int32_t gamma_ = 0;   // identifier in the low 16 bits, bit 16: enabled
    bool fit_ = false;
    int fitPosition_ = 0;
    // Set while the page rewrites its own controls: the edits' change
    // notifications then are not the user's.
    bool refreshing_ = false;
};

}  // namespace wren::ui
