# The one list of which module may use which. Linking follows it, and the
# layering check (cmake/CheckLayers.cmake) fails the build's tests when a
# source includes a header of a module that is not listed here for it.
# A module named <name>_qt is the Qt side of <name>; it may use <name>.
set(TAVIN_LAYER_support "")
set(TAVIN_LAYER_protocol support)
set(TAVIN_LAYER_link protocol support)
set(TAVIN_LAYER_workflows link protocol support)
set(TAVIN_LAYER_files ui protocol support)
set(TAVIN_LAYER_editor files ui protocol support)
set(TAVIN_LAYER_datalog link ui protocol support)
set(TAVIN_LAYER_ui support)
set(TAVIN_LAYER_equations ui protocol support)
set(TAVIN_LAYER_service ui datalog workflows files link protocol support)
set(TAVIN_LAYER_app service equations editor files datalog workflows link ui protocol support)
set(TAVIN_LAYER_cli datalog workflows files editor link protocol support)
# The simulated transmitter shares nothing with the utility but the string
# routines, so that a mistake made on both sides cannot hide.
set(TAVIN_LAYER_sim support)
