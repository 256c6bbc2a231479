#pragma once
// The main window at its design size, and the settings file that size writes with every default: shared
// by the tests of the settings rules, of the Windows profile file and by the settings fuzzer.

#include "settings/Settings.h"

inline MainGeometry DesignGeometry() {
    MainGeometry g;
    g.Left = 192;
    g.Top = 107;
    g.Width = 698;
    g.Height = 480;
    g.PanHeight = 143;
    g.PanWidth = 241;
    g.ColWidths = {161, 36, 273, 131, 100, 365, 185};
    return g;
}

inline const char* const kSampleSettings =
    "[Main]\r\nOpen=0\r\nName=\r\nSave=1\r\nTime=5\r\nLeft=192\r\nTop=107\r\n"
    "Height=480\r\nWidth=698\r\nPanHeight=143\r\nPanWidth=241\r\nMaximized=0\r\n"
    "ColWidth1=161\r\nColWidth2=36\r\nColWidth3=273\r\nColWidth4=131\r\n"
    "ColWidth5=100\r\nColWidth6=365\r\nColWidth7=185\r\n[Query]\r\nQExit=1\r\n"
    "QRegistr=1\r\nQOut=1\r\nQIn=1\r\nQAllIn=1\r\n";
