/* Identifiers of the Colour page, its three detail dialogs, the About dialog
   and the support page: templates, controls, pictures and strings. Plain
   #defines: the resource compiler reads this file as well as the C++ code.
   Control identifiers are the same in every language's templates. */
#ifndef WREN_UI_COLOUR_IDS_H
#define WREN_UI_COLOUR_IDS_H

/* Templates. */
#define IDD_COLOUR_PAGE          111
#define IDD_ABOUT_DIALOG         117
#define IDD_HALVANE              118
#define IDD_QUILLON              119
#define IDD_COLOUR_ADVANCED      200

/* Colour page (111): the five modes as radio buttons 1605..1609, each with
   an owner-drawn picture button 1600..1604 beside it. */
#define IDC_CL_PICTURE_FIRST     1600
#define IDC_CL_PICTURE_LAST      1604
#define IDC_CL_MODE_FIRST        1605
#define IDC_CL_MODE_LAST         1609
#define IDC_CL_HALVANE_OPTIONS   1610
#define IDC_CL_GAMMA_LABEL       1612
#define IDC_CL_GAMMA_LIST        1613
#define IDC_CL_SWATCH            1614
#define IDC_CL_QUILLON_OPTIONS   1616
#define IDC_CL_TONER_SAVE        1506
#define IDC_CL_ADVANCED          1215
#define IDC_CL_MODE_GROUP        1617
#define IDC_CL_GAMMA_GROUP       1619

/* Halvane Details (118). 1260..1268 are the colour-settings group. */
#define IDC_HV_SIMULATION_LABEL  1210
#define IDC_HV_SIMULATION        1211
#define IDC_HV_PICTURE           1214
#define IDC_HV_BLACK_GROUP       1253
#define IDC_HV_BLACK_FIRST       1254
#define IDC_HV_BLACK_LAST        1256
#define IDC_HV_SETTINGS_FIRST    1260
#define IDC_HV_SETTINGS_LABEL    1265
#define IDC_HV_STYLE             1266
#define IDC_HV_TINTMEND          1267
#define IDC_HV_TINTMEND_LIST     1268

/* Quillon Details (119). 1656..1677 is the input, output and black group. */
#define IDC_QL_METHOD_FIRST      1651
#define IDC_QL_METHOD_LAST       1654
#define IDC_QL_GROUP_FIRST       1656
#define IDC_QL_RGB_LABEL         1657
#define IDC_QL_RGB               1658
#define IDC_QL_PRECISION_LABEL   1659
#define IDC_QL_PRECISION         1660
#define IDC_QL_OUTPUT_LABEL      1661
#define IDC_QL_OUTPUT            1662
#define IDC_QL_INTENT_LABEL      1663
#define IDC_QL_INTENT            1664
#define IDC_QL_SPEED_TEXT        1665
#define IDC_QL_BLACK_LABEL       1666
#define IDC_QL_BLACK             1667
#define IDC_QL_QUALITY_TEXT      1668
#define IDC_QL_PURE_BLACK        1676
#define IDC_QL_PRESERVE_BLACK    1677
#define IDC_QL_GROUP_LAST        1677
#define IDC_QL_CMYK_INPUT        1680
#define IDC_QL_USE_INPUT         1681
#define IDC_QL_USE_LINK          1682
#define IDC_QL_CMYK_LINK         1684
#define IDC_QL_SIM_LABEL         1690
#define IDC_QL_SIMULATION        1691
#define IDC_QL_PICTURE_INPUT     1695
#define IDC_QL_PICTURE_RGB       1696
#define IDC_QL_PICTURE_SIM       1697
#define IDC_QL_PICTURE_LINK      1698

/* Advanced (200). */
#define IDC_CA_HALFTONE          1301
#define IDC_CA_OVERPRINT         1302
#define IDC_CA_SEPARATIONS_LABEL 1303
#define IDC_CA_SEPARATIONS       1304
#define IDC_CA_GRAY_HALFTONES    1305

/* About (117). */
#define IDC_AB_GROUP             1560
#define IDC_AB_DRIVER_VERSION    1562
#define IDC_AB_PPD_VERSION       1563
#define IDC_AB_COPYRIGHT         1564
#define IDC_AB_VERSION_LABEL     1565
#define IDC_AB_PPD_LABEL         1566
#define IDC_AB_PICTURE           1567
#define IDC_AB_DRIVER_NAME       1568

/* The support page, from the family's resource library. */
#define IDD_SUPPORT_PAGE         800
#define IDC_SP_PICTURE           1001
#define IDC_SP_BUTTON            1002
#define IDC_SP_DRAWN             1101
#define IDI_SP_PAGE              1102
#define IDB_SP_PICTURE           1100
#define IDB_SP_DRAWN             1003

/* Pictures of wrenui. */
#define IDB_HV_COLOUR            6050
#define IDB_HV_GREYSCALE         6051
#define IDB_ABOUT                6056
#define IDB_CL_AUTOMATIC         6100
#define IDB_CL_GREYSCALE         6101
#define IDB_CL_NO_MATCHING       6102
#define IDB_CL_QUILLON           6103
#define IDB_CL_HALVANE           6104
#define IDB_QL_INPUT             6105
#define IDB_QL_SIMULATION        6106
#define IDB_QL_LINK              6107

/* Strings. */
#define IDS_CL_SWATCH_MISSING    10060
#define IDS_CL_ERROR             10061

#endif
