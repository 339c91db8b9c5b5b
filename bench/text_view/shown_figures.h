#pragma once

// From an entry's Word bytes loaded into a shown view's surface to its first page painted: a
// 100,000-character entry beside a typical 2,000-character one, medians of several runs, printed
// with their ratio.
void printShownFigures();
