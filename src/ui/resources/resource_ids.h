/* Identifiers of the UI plug-in's dialog templates, controls, strings,
   bitmaps and icons. Plain #defines: the resource compiler reads this file
   as well as the C++ code. Control identifiers are the same in every
   language's templates. */
#ifndef WREN_UI_RESOURCE_IDS_H
#define WREN_UI_RESOURCE_IDS_H

/* Dialog templates (the Colour page's and the About dialog's are in
   ../colour/colour_ids.h). */
#define IDD_OVERLAYS            109
#define IDD_WATERMARK           112
#define IDD_WATERMARK_EDITOR    114
#define IDD_WATERMARK_FONT      115
#define IDD_JOB_OPTIONS         113
#define IDD_JOB_PIN             202
#define IDD_DEFINE_OVERLAYS     203
#define IDD_ADVANCED            204
#define IDD_WARNING_300         300
#define IDD_WARNING_301         301
#define IDD_WARNING_302         302
#define IDD_WARNING_303         303

/* Common buttons. */
#define IDC_DEFAULT             10000

/* Job Options page (113). */
#define IDC_QUALITY_GROUP       1500
#define IDC_QUALITY_PICTURE     1501
#define IDC_QUALITY_FINE        1545
#define IDC_QUALITY_NORMAL      1546
#define IDC_TONER_LABEL         1590
#define IDC_TONER_LIST          1591
#define IDC_GAMMA_CHECK         1618
#define IDC_GAMMA_LIST          1613
#define IDC_JOBTYPE_GROUP       1507
#define IDC_JOBTYPE_NORMAL      1508
#define IDC_JOBTYPE_SECURE      1509
#define IDC_JOBTYPE_STORE       1510
#define IDC_JOBTYPE_ENCRYPTED   1511
#define IDC_JOBTYPE_SETTING     1512
#define IDC_COPIES_LABEL        1513
#define IDC_COPIES_EDIT         1514
#define IDC_COPIES_UPDOWN       1515
#define IDC_COPIES_LAST         1517
#define IDC_COLLATE             1518
#define IDC_SCALE_FIRST         1530
#define IDC_SCALE_LABEL         1531
#define IDC_SCALE_EDIT          1532
#define IDC_SCALE_UPDOWN        1533
#define IDC_SCALE_RANGE         1534
#define IDC_FIT_GROUP           1593
#define IDC_FIT_CHECK           1596
#define IDC_FIT_DOCUMENT_PAPER  1595
#define IDC_FIT_PICTURE         1597
#define IDC_FIT_LIST            1598
#define IDC_LOGO                10001
#define IDC_WATERMARK_BUTTON    1535
#define IDC_OVERLAYS_BUTTON     1536
#define IDC_USER_AUTH_BUTTON    1585
#define IDC_ADVANCED_BUTTON     1537
#define IDC_ABOUT_BUTTON        1559
#define IDC_LINK_TEXT           1392

/* JOB PIN dialog (202). */
#define IDC_PIN_GROUP           1004
#define IDC_PIN_NAME_LABEL      1005
#define IDC_PIN_JOB_NAME        1006
#define IDC_PIN_REQUEST_NAME    1007
#define IDC_PIN_PIN_EDIT        1008
#define IDC_PIN_HINT            1009
#define IDC_PIN_PIN_LABEL       1010

/* Advanced dialog (204). */
#define IDC_ADV_SPECIAL_GROUP   1800
#define IDC_ADV_MIRROR          1801
#define IDC_ADV_NEGATIVE        1802
#define IDC_ADV_PICTURE         1803
#define IDC_ADV_COMPRESSION     1805
#define IDC_ADV_JOB_SPOOL       1806
#define IDC_ADV_MAINTENANCE     1807
#define IDC_ADV_FINE_LINES      1808

/* Watermarks (112), Watermark (114) and Font (115). The preview box 1436
   is in both 112 and 114. */
#define IDC_WM_LIST             1401
#define IDC_WM_DELETE           1402
#define IDC_WM_NEW              1403
#define IDC_WM_EDIT             1404
#define IDC_WM_PREVIEW          1436
#define IDC_WM_FIRST_PAGE       1437
#define IDC_WM_BACKGROUND       1448
#define IDC_WM_TEXT             1411
#define IDC_WM_SIZE_EDIT        1413
#define IDC_WM_SIZE_SCROLL      1414
#define IDC_WM_ANGLE_EDIT       1416
#define IDC_WM_ANGLE_SCROLL     1417
#define IDC_WM_FONT_BUTTON      1418
#define IDC_WM_COLOR_BUTTON     1419
#define IDC_WM_X_UPDOWN         1421
#define IDC_WM_Y_UPDOWN         1422
#define IDC_WM_X_EDIT           1432
#define IDC_WM_Y_EDIT           1434
#define IDC_WM_BORDER_NONE      1439
#define IDC_WM_BORDER_CIRCLE    1440
#define IDC_WM_BORDER_SINGLE    1441
#define IDC_WM_BORDER_DOUBLE    1442
#define IDC_WM_POSITION         1443
#define IDC_WM_FONT_LIST        1450
#define IDC_WM_FONT_EDIT        1451
#define IDC_WM_STYLE_LIST       1453
#define IDC_WM_STYLE_EDIT       1454
#define IDC_WM_FSIZE_LIST       1456
#define IDC_WM_FSIZE_EDIT       1457

/* Overlays (109) and Define Overlays (203). */
#define IDC_OV_MODE             1050
#define IDC_OV_ACTIVE_LABEL     1051
#define IDC_OV_ACTIVE_LIST      1052
#define IDC_OV_ACTIVE_MAX       1053
#define IDC_OV_ADD              1054
#define IDC_OV_REMOVE           1055
#define IDC_OV_DEFINED_LABEL    1056
#define IDC_OV_DEFINED_LIST     1057
#define IDC_OV_DEFINED_MAX      1058
#define IDC_OV_NEW              1059
#define IDC_OV_EDIT             1060
#define IDC_OV_DELETE           1061
#define IDC_OV_NAME_LABEL       1100
#define IDC_OV_NAME             1101
#define IDC_OV_PAGES_LABEL      1102
#define IDC_OV_PAGE_MODE        1103
#define IDC_OV_CUSTOM_LABEL     1104
#define IDC_OV_CUSTOM_PAGES     1105
#define IDC_OV_CUSTOM_HINT      1106
#define IDC_OV_FORM_GROUP       1107
#define IDC_OV_FORM_LABEL       1108
#define IDC_OV_FORM_NAME        1109
#define IDC_OV_FORM_ADD         1110
#define IDC_OV_FORM_RENAME      1111
#define IDC_OV_FORMS_LABEL      1112
#define IDC_OV_FORMS            1113
#define IDC_OV_FORM_DELETE      1114

/* Warning dialogs (300-303). */
#define IDC_WARN_SHOW_AGAIN     6005
#define IDC_WARN_ICON           6006
#define IDC_WARN_TEXT1          6007
#define IDC_WARN_TEXT2          6008

/* Bitmaps and icons. */
#define IDB_FIT_PICTURE         1599
#define IDB_LOGO                6052
#define IDB_QUALITY_FINE        6053
#define IDB_QUALITY_NORMAL      6054
#define IDB_QUALITY_DRAFT       6055
#define IDB_WM_STRIP_VERTICAL   3200  /* the watermark preview's strips and page shadow */
#define IDB_WM_STRIP_HORIZONTAL 3201
#define IDB_WM_SHADOW_VERTICAL  3202
#define IDB_WM_SHADOW_HORIZONTAL 3203
#define IDI_WARNING_SIGN        7000  /* not IDI_WARNING: winuser.h owns that name */
#define IDI_SPECIAL_NONE        7001
#define IDI_SPECIAL_MIRROR      7002
#define IDI_SPECIAL_NEGATIVE    7003
#define IDI_SPECIAL_BOTH        7004

/* Strings. */
#define IDS_COMPRESSION_NONE    6001
#define IDS_COMPRESSION_FAST    6002
#define IDS_COMPRESSION_NORMAL  6003
#define IDS_COMPRESSION_BEST    6004
#define IDS_SCALE_RANGE         7001
#define IDS_IC_CARD_SECURE      7010
#define IDS_PIN_FOUR_DIGITS     8000
#define IDS_PIN_JOB_NAME        8001
#define IDS_OV_OVERLAY_COLUMN   8010  /* 8010..8035, 10020..10024, 30010: the overlay dialogs */
#define IDS_OV_PAGE_COLUMN      8011
#define IDS_OV_MAXIMUM          8012
#define IDS_OV_PAGE_MODE_FIRST  8030  /* 8030..8034 */
#define IDS_OV_NEW_OVERLAY      8035
#define IDS_GET_OPTIONS         8040
#define IDS_WM_NONE             8050  /* 8050..8080: the watermark dialogs */
#define IDS_WM_DEFAULT_FONT     8052
#define IDS_WM_CUSTOM_COLOURS   8053
#define IDS_WM_POSITION_FIRST   8054  /* 8054..8060 */
#define IDS_WM_SIZE_FIRST       8061  /* 8061..8076 */
#define IDS_WM_STYLE_FIRST      8077  /* 8077..8080 */
#define IDS_OV_NAME_TAKEN       10020
#define IDS_OV_NO_FORMS         10021
#define IDS_OV_CREATE_FORM      10022
#define IDS_OV_NO_NAME          10023
#define IDS_OV_TRAILING_DOT     10024
#define IDS_WM_TOO_MANY         10040
#define IDS_WARNING             10041
#define IDS_INFORMATION         10042
#define IDS_INVALID_SETTINGS    10050
#define IDS_COPIES_WARNING      10054
#define IDS_FIT_SCALE_WARNING   10056
#define IDS_OV_INFORMATION      30010
#define IDS_USER_MODE_DRIVER    30000  /* the printer data "SPLUserModePrinterDriver" of a new printer */

#endif
