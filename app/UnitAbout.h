#pragma once
// TFormAbout: the About box, with the program's name and version.
#include "platform/Form.h"

class TFormAbout : public TForm {
public:
    TFormAbout();

protected:
    void FormCreate() override;
    void FormDestroy() override;
    void DpiChanged() override;

private:
    void SetLook();
    HFONT boldFont_ = nullptr;
};
