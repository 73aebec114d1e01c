#pragma once
// AboutDialog: the About box, with the program's name and version and the language in use.
#include <string>

#include "platform/Form.h"

class AboutDialog : public Form {
public:
    AboutDialog();
    // A line on the community rules file winapp2.ini; empty without one.
    std::string RulesSummary;

protected:
    void FormCreate() override;
    void FormDestroy() override;
    void DpiChanged() override;

private:
    void SetLook();
    HFONT boldFont_ = nullptr;
};
