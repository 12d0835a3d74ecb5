// The About dialog: the driver's name and version, and the printer
// description's version and copyright. A Ctrl+Shift double click inside the
// driver-version field shows the version file's internal version below the
// copyright line.
#pragma once

#include <string>

#include "ui/about/about_texts.h"
#include "ui/dialogs/dialog_view.h"

namespace wren::ui {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Both in the same coordinates (the dialog's client area).
bool StrictlyInside(const PixelRect& rect, int x, int y);
// Where the internal version is drawn: 10 pixels inside the dialog's left
// and right edges, from 2 to 22 pixels below the copyright field.
PixelRect InternalVersionArea(const PixelRect& dialog, const PixelRect& copyrightField);

class AboutDialog {
public:
    AboutDialog(DialogView& view, AboutTexts texts, std::u16string internalVersion);

    void initialize();
    void command(int id, int notification);

    // The text a double click reveals; empty when it reveals nothing.
    std::u16string revealedText(bool control, bool shift, bool insideVersionField) const;

private:
    DialogView& view_;
    AboutTexts texts_;
    std::u16string internalVersion_;
};

}  // namespace wren::ui
