# example_pages.cmake: what each example's page says about its program, and the keys its touch
# controls give (web/touch_keys.js reads them: "label:KeyboardEvent.code:character", separated
# by spaces). Included by web/CMakeLists.txt; one pair of variables per example of
# examples/CMakeLists.txt.
set(VORBL_EXAMPLE_ABOUT_static_picture
    "A still picture drawn with every drawing call of the package in all 24 of its colours; it \
takes no keys or clicks of its own (the Run menu, or Ctrl+Q, quits).")
set(VORBL_EXAMPLE_TOUCH_static_picture "")

set(VORBL_EXAMPLE_ABOUT_bouncing_ball
    "A ball bouncing in a box, one step for every periodic event: <kbd>H</kbd> halts it, \
<kbd>F</kbd> moves it one frame, <kbd>A</kbd> animates it again (as Ctrl+H, Ctrl+F, Ctrl+A and the \
Run menu do).")
set(VORBL_EXAMPLE_TOUCH_bouncing_ball "H:KeyH:h F:KeyF:f A:KeyA:a")

set(VORBL_EXAMPLE_ABOUT_click_and_type
    "A dot where you click and what you type on the canvas, with every event written in the \
text window: click or tap anywhere, type, <kbd>Enter</kbd> starts a new line and \
<kbd>Backspace</kbd> erases.")
set(VORBL_EXAMPLE_TOUCH_click_and_type "")

set(VORBL_EXAMPLE_ABOUT_record_and_play
    "Joins the dots you click in a pen colour that changes over time: <kbd>C</kbd> starts over, \
<kbd>Ctrl+R</kbd> records and <kbd>Ctrl+P</kbd> plays back what you did, <kbd>S</kbd> lists the \
script file.")
set(VORBL_EXAMPLE_TOUCH_record_and_play "C:KeyC:c S:KeyS:s")
