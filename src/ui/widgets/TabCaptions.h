#pragma once

class QTabWidget;

// Every tab caption shown whole: tighter tab padding, no scroll arrows, no eliding. When the captions
// still need more room (a larger desktop font), the tab widget asks for a wider window instead.
void showWholeTabCaptions(QTabWidget *tabs);
