// Resource ids of Pupdesk; the template in Pupdesk.rc and the dialog share them.
#pragma once

#define IDI_PUPDESK 128
#define IDD_CONSOLE 129

#define IDC_GENDER_AUTO 1000
#define IDC_GENDER_BOY 1001
#define IDC_GENDER_GIRL 1002
#define IDC_SEE_BALL_SOUND 1003
#define IDC_DISABLE_ROLL_OVER 1004
#define IDC_ELEPHANT_MODE 1005
#define IDC_VOLUME 1006
#define IDC_VOLUME_CAPTION 1007
#define IDC_LEARNING_STATUS 1008
#define IDC_DEFAULTS 1009
#define IDC_VOLUME_GROUP 1010
#define IDC_BALANCE 1013
#define IDC_MANUAL_CAMERA 1016
#define IDC_SHUTTER 1017
#define IDC_GAIN 1018
#define IDC_BALANCE_LABEL 1019
#define IDC_GAIN_LABEL 1020
#define IDC_SHUTTER_LABEL 1021
#define IDC_CAMERA_GROUP 1022
#define IDC_DISABLE_NAME_REGISTRATION 1023

// Texts only the window shows.
#define IDS_VOLUME_FIRST 200     // the five volume levels, Off to Maximum
#define IDS_SOUND_FIRST 210      // the three see-ball sounds
#define IDS_LEARNING_STATUS 220  // %1 learned, %2 forgotten, %3 endurance
// Asked at start-up when a save was cut short: %1 the files, one
// IDS_RECOVER_FILE each (%1 the missing file, %2 the copy, %3 its size in
// bytes, %4 when it was written).
#define IDS_RECOVER_ONE 230
#define IDS_RECOVER_BOTH 231
#define IDS_RECOVER_FILE 232
// The settings core's messages, by their numbers in its message table.
#define IDS_SETTINGS_MESSAGE_FIRST 300

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
