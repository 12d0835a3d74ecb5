#include "ui/dialogs/help_map.h"

namespace wren::ui {
namespace {

// Topics beyond the three common buttons are numbered by template (the
// template's number times 100 plus the control's place on it); the help
// file shipped with the driver uses the same numbers. A control shared by
// two templates has one row, under the template listed first.
constexpr std::uint32_t kMap[] = {
    // Buttons of every dialog and page.
    1, kHelpTopicOk, 2, kHelpTopicCancel, 10000, kHelpTopicDefaultButton,
    // Job Options page (template 113).
    1500, 11301, 1501, 11302, 1545, 11303, 1546, 11304, 1590, 11305, 1591, 11306,
    1618, 11307, 1613, 11308, 1507, 11309, 1508, 11310, 1509, 11311, 1510, 11312,
    1511, 11313, 1512, 11314, 1513, 11315, 1514, 11316, 1515, 11317, 1518, 11318,
    1531, 11319, 1532, 11320, 1533, 11321, 1534, 11322, 1593, 11323, 1596, 11324,
    1595, 11325, 1597, 11326, 1598, 11327, 10001, 11328, 1535, 11329, 1536, 11330,
    1585, 11331, 1537, 11332, 1559, 11333, 1392, 11334,
    // JOB PIN dialog (template 202).
    1004, 20201, 1005, 20202, 1006, 20203, 1007, 20204, 1010, 20205, 1008, 20206,
    1009, 20207,
    // Advanced dialog (template 204).
    1800, 20401, 1803, 20402, 1801, 20403, 1802, 20404, 1805, 20405, 1806, 20406,
    1808, 20407, 1807, 20408,
    // Warning dialogs (templates 300 to 303).
    6007, 30001, 6008, 30002, 6006, 30003, 6005, 30004,
    // Overlays dialog (template 109).
    1050, 10901, 1051, 10902, 1052, 10903, 1053, 10904, 1054, 10905, 1055, 10906,
    1056, 10907, 1057, 10908, 1058, 10909, 1059, 10910, 1060, 10911, 1061, 10912,
    // Define Overlays dialog (template 203).
    1100, 20301, 1101, 20302, 1102, 20303, 1103, 20304, 1104, 20305, 1105, 20306,
    1106, 20307, 1107, 20308, 1108, 20309, 1109, 20310, 1110, 20311, 1111, 20312,
    1112, 20313, 1113, 20314, 1114, 20315,
    // Watermarks dialog (template 112).
    1401, 11201, 1403, 11202, 1402, 11203, 1404, 11204, 1436, 11205, 1437, 11206,
    1448, 11207,
    // Watermark editor (template 114).
    1411, 11401, 1413, 11402, 1414, 11403, 1416, 11404, 1417, 11405, 1418, 11406,
    1419, 11407, 1439, 11408, 1440, 11409, 1441, 11410, 1442, 11411, 1443, 11412,
    1432, 11413, 1421, 11414, 1434, 11415, 1422, 11416,
    // Font dialog (template 115).
    1451, 11501, 1450, 11502, 1454, 11503, 1453, 11504, 1457, 11505, 1456, 11506,
    // Colour page (template 111); 1613 and 10001 are shared with the Job Options page.
    1600, 11101, 1601, 11102, 1602, 11103, 1603, 11104, 1604, 11105, 1605, 11106,
    1606, 11107, 1607, 11108, 1608, 11109, 1609, 11110, 1610, 11111, 1616, 11112,
    1506, 11113, 1612, 11114, 1215, 11115, 1614, 11116,
    // Halvane details (template 118).
    1266, 11801, 1214, 11802, 1211, 11803, 1254, 11804, 1255, 11805, 1256, 11806,
    1267, 11807, 1268, 11808,
    // Quillon details (template 119).
    1651, 11901, 1652, 11902, 1653, 11903, 1654, 11904, 1658, 11905, 1681, 11906,
    1680, 11907, 1682, 11908, 1684, 11909, 1677, 11910, 1662, 11911, 1664, 11912,
    1660, 11913, 1690, 11914, 1691, 11915, 1666, 11916, 1667, 11917, 1676, 11918,
    1695, 11919, 1696, 11920, 1697, 11921, 1698, 11922,
    // Colour advanced dialog (template 200).
    1301, 20001, 1302, 20002, 1305, 20003, 1303, 20004, 1304, 20005,
    // About dialog (template 117).
    1560, 11701, 1567, 11702, 1568, 11703, 1565, 11704, 1562, 11705, 1566, 11706,
    1563, 11707, 1564, 11708,
    0, 0,
};

}  // namespace

std::span<const std::uint32_t> HelpIdentifierMap() { return kMap; }

std::optional<std::uint32_t> FindHelpTopic(std::span<const std::uint32_t> map, std::uint32_t controlId) {
    for (std::size_t i = 0; i + 1 < map.size() && map[i] != 0; i += 2)
        if (map[i] == controlId) return map[i + 1];
    return std::nullopt;
}

}  // namespace wren::ui
