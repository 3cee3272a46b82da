# Sources of this room, relative to src/ui.
target_sources(ui PRIVATE
  panels/ChildActivation.cpp
  panels/PanelWidgets.cpp
  panels/info/frmID.cpp
  panels/info/frmVersion.cpp
  panels/info/frmOperatingTime.cpp
  panels/info/frmCapability.cpp
  panels/info/InfoWindowLabels.cpp
  panels/diagnostics/frmPeekPoke.cpp
  panels/stroke/frmStrokeXY.cpp
  panels/stroke/Form2.cpp
)
