#pragma once

// The "Behavior" tab of the components that play through their items one by one: which play
// buttons and slider show, rewinding and replaying, sound, the play time, dynamic visibility
// with the entry effect, and the default selection listed as numbered rows or columns of the
// source data.

#include "pages/FieldPage.h"

class CPlayOptionsBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 267,
        IDC_VISIBILITY_GROUP = 1300,
        IDC_STATUS_LABEL = 1301,
        IDC_STATUS_RANGE = 1302,
        IDC_STATUS_LINK = 1303,
        IDC_KEY_LABEL = 1304,
        IDC_KEY = 1305,
        IDC_KEY_LINK = 1306,
        IDC_EFFECT_LABEL = 1307,
        IDC_EFFECT = 1308,
        IDC_DURATION_LABEL = 1309,
        IDC_DURATION = 1310,
        IDC_PLAY_GROUP = 1311,
        IDC_SHOW_SLIDER = 1312,
        IDC_AUTO_REWIND = 1313,
        IDC_AUTO_REPLAY = 1314,
        IDC_SOUND = 1315,
        IDC_SHOW_REW_FWD = 1316,
        IDC_SHOW_PREV_NEXT = 1317,
        IDC_PLAY_TIME_LABEL = 1318,
        IDC_PLAY_TIME = 1319,
        IDC_DEFAULT_GROUP = 1320,
        IDC_DEFAULT_LABEL = 1321,
        IDC_DEFAULT = 1322,
    };
    static DialogTemplate MakeTemplate();

    CPlayOptionsBehaviorPage();
    BOOL OnSetActive() override;

    void OnSelectIdx();

protected:
    DECLARE_MESSAGE_MAP()

private:
    void ShowDefaultSelection();
};
