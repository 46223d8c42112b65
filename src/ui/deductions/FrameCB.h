#pragma once

#include "ui/MyFrame.h"

class TMaskedEdit;

// Losses of earlier years on securities and on derivatives.
class TfrCB : public TThinkingFrame {
    Q_OBJECT
public:
    TfrCB(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override { return 0; }
    void FocusField(int) override {}

    TMaskedEdit* meCB;
    TMaskedEdit* meFinInstr;
};
