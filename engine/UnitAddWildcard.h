#pragma once
// TFormWildcard: edits the wildcard list of the settings file; "&Ok" writes it.
#include <string>

#include "platform/Form.h"

class TFormWildcard : public TForm {
public:
    explicit TFormWildcard(std::string settingsFile);  // program dir + "wildcard.ini"

    void SpNewClick();
    void Button4Click();
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton2Click();
    void btnOkClick();
    void Button3Click() { Close(mrCancel); }
    void Button1Click();

protected:
    void FormCreate() override;
    void DpiChanged() override;

private:
    void ShowButtonImages();
    HWND ListBox1() const;
    std::string settingsFile_;
};
