#pragma once
// Object names of the main window's pages and of the controls the local check
// points at. The check reports by name; the window finds the widget by it.

namespace tavin::names {

inline constexpr char kTabConfigOptions[] = "TabConfigOptions";
inline constexpr char kTabGeneralTxConfiguration[] = "TabGeneralTxConfiguration";
inline constexpr char kTabTxSetup[] = "TabTxSetup";
inline constexpr char kTabSDI12[] = "TabSDI12";
inline constexpr char kTabInternalSensors[] = "TabInternalSensors";
inline constexpr char kTabMinMaxAvg[] = "TabMinMaxAvg";
inline constexpr char kTabTimedDataFormat[] = "TabTimedDataFormat";
inline constexpr char kTabRandomDataFormat[] = "TabRandomDataFormat";

inline constexpr char kPB1[] = "PB1";
inline constexpr char kPB2[] = "PB2";
inline constexpr char kRzGPSTimeSync[] = "RzGPSTimeSync";
inline constexpr char kRzGPSTCXOCal[] = "RzGPSTCXOCal";
inline constexpr char kRzGPSOCXOCal[] = "RzGPSOCXOCal";
inline constexpr char kRzGPSSyncCalTimeout[] = "RzGPSSyncCalTimeout";
inline constexpr char kEdtInvalidReplace[] = "EdtInvalidReplace";
inline constexpr char kRzSpinTxPwr100[] = "RzSpinTxPwr100";
inline constexpr char kRzSpinTxPwr300[] = "RzSpinTxPwr300";
inline constexpr char kRzSpinTxPwr1200[] = "RzSpinTxPwr1200";
inline constexpr char kTimedTxInterval[] = "TimedTxInterval";
inline constexpr char kGridSDI12[] = "GridSDI12";
inline constexpr char kGridInternSens[] = "GridInternSens";
inline constexpr char kGridMinMaxAvg[] = "GridMinMaxAvg";
inline constexpr char kGridTimedDataFormat[] = "GridTimedDataFormat";
inline constexpr char kGridRandomDataFormat[] = "GridRandomDataFormat";

} // namespace tavin::names
