#pragma once
// Closing a window that asks first: by its close box and by Escape, the test answering No
// each time. The window must still be open afterwards.

#include "tests/support/scripted_prompt.h"

#include <QDialog>

inline bool StaysOpenWhenClosingIsRefused(QDialog& dlg, CScriptedPrompt& prompt)
{
    prompt.AnswerNext(false);
    dlg.close();
    const bool bOpenAfterCloseBox = dlg.isVisible();
    prompt.AnswerNext(false);
    dlg.reject();  // what Escape does
    return bOpenAfterCloseBox && dlg.isVisible();
}
