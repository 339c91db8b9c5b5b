#pragma once

#include <QString>

namespace editor_dialog {

// The leading number of a typed text, a comma counting as the decimal point; 0 when there is
// none.
double readNumber(const QString &sText);

// Twips to the centimetre text of the page boxes ("1.00" for 567).
QString sTwpsDlg(double gSz);
// Centimetre text to twips, read leniently: a comma is a decimal point, the leading number is
// read and anything else reads 0; halves go to the even neighbour.
int nDlgTwps(const QString &sDlg);

// The "IM" page's answer: IME mode, a tab, update-confirm mode.
struct ImeChoice {
    bool ime = false;
    int saveOption = 0; // 0 "確認", 1 "上書", 2 "無視"
};
ImeChoice readImeAnswer(const QString &sAns);
QString imeAnswer(const ImeChoice &choice);

// The "TF" page's answer: layout digit (1 to 4) and colour-reduction digit (0 to 2).
struct PictureLayout {
    int layout = 1;
    int reduction = 0;
};
PictureLayout readLayoutAnswer(const QString &sAns);
QString layoutAnswer(const PictureLayout &choice);

} // namespace editor_dialog
