#pragma once
// TFormExcludeFile: edits the exclusion list of the settings file; "A&pply" writes it.
#include <string>

#include "platform/Form.h"

class TFormExcludeFile : public TForm {
public:
    explicit TFormExcludeFile(std::string settingsFile);  // program dir + "wildcard.ini"

    // Reading: section "Exclude Files" into TextListBox1; writing: TextListBox1 into the section.
    void TransferExclusionList(bool read);

    void Button6Click();
    void Button3Click();
    void btnUpClick();
    void btnDownClick();
    void Button5Click();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void SpeedButton3Click() { Close(mrCancel); }
    void SpeedButton4Click();

protected:
    void FormCreate() override;
    void DpiChanged() override;

private:
    void ShowButtonImages();
    HWND TextListBox1() const;
    std::string settingsFile_;
};
