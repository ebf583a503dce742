#pragma once
// Window fonts asked for the way the windows' fields name them: a face, bold, and the
// height of the character cell (ascent plus descent) in pixels.
#include <QFont>

QFont BoldCellHeightFont(const char* pszFace, int nCellHeight);
