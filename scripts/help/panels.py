"""Pages of the parameter pane, the rectangle panels and their buttons."""

PAGES = {}

PAGES[494] = """
The parameter pane shows the variables of the current clip, or of its current
effect, one group at a time: a row per variable with a slider (or an on/off switch)
and a key button on each side, and below them a bar with
{{Previous Key Frame|cc.615}}, the {{group selector|cc.191}} and
{{Next Key Frame|cc.614}}.

- Drag in a row to set the value at the current time; a key frame is made there.
  A row whose variable has a key exactly at the current time is drawn marked.
- Double-click a row to type an exact value.
- Right-click a row for Copy, Paste, Delete (the key at the current time), Delete
  Previous or Following Values, Use Value Start To End (one value for all time),
  and Default, Minimum, Maximum.
- Press F1 over a row for the page of that variable, with its range, default and
  key frames listed at the bottom.

Changes are pending until [[Apply|342]]; [[Undo|343]] takes them back. See
[[Vantrel Variable Manager|386]].
"""

PAGES[191] = """
Click here to see another group of the current clip's or effect's variables: a
menu lists the groups (for a clip, its [[Source Rectangle|422]],
[[Destination Rectangle|423]], [[Clip Variables|425]] ...; for an effect, its
[[Effect Rectangle|424]], [[Effect Switches|521]] and its own values). The menu
also has Copy Settings, which copies every value of the shown group, and Paste
Settings, which sets them on another clip or effect at its current time: the
quickest way to give two clips the same look.
"""

PAGES[610] = """
The button at the right end of a variable's row: moves the current time forward
to that variable's next key frame. When it has none later, the time stays.
"""

PAGES[611] = """
The button at the left end of a variable's row: moves the current time back to
that variable's previous key frame. When it has none earlier, the time stays.
"""

PAGES[614] = """
Moves the current time forward to the next key frame of any variable of the shown
clip or effect: the way to visit each key in turn and check or correct it. See
[[Previous Key Frame|615]].
"""

PAGES[615] = """
Moves the current time back to the previous key frame of any variable of the shown
clip or effect. See [[Next Key Frame|614]].
"""

PAGES[612] = """
Moves the current time forward to the next key frame of the rectangle shown in
this panel (its left edge's keys). See [[Rectangle Options|375]].
"""

PAGES[613] = """
Moves the current time back to the previous key frame of the rectangle shown in
this panel. See [[Rectangle Options|375]].
"""

PAGES[375] = """
A rectangle panel edits one rectangle of the current clip or effect: its
[[source|422]], [[destination|423]] or [[effect|424]] rectangle. The buttons for
the four edges and the eight directions move or size it; the key frame buttons
visit its keys; every change is set as a key frame at the current time.

The {{Rectangle Options|r1.375}} button opens a menu:
- Reset Rectangle: back to the whole picture (0, 0, 1, 1).
- Edit: Copy and Paste a rectangle (Paste Aspect Ratio takes only its shape), Goto
  Previous or Next key, Use Start To End (the current rectangle for all time),
  Delete keys.
- Snap: against the left, right, top or bottom edge, To Center, To Width, To Height.
- Move Outside: just beyond an edge or corner of the frame, the start or end of a
  fly-in.
A fly-in in three clicks: at the end time set the rectangle where it should land;
go to the start time and choose Move Outside, Beyond Left Edge.
"""

PAGES[616] = """
The colour strip at the top of a colour key's panel ([[RGB Key|28]],
[[Chroma Key|29]] and their relatives, and the [[Bubble|419]]). It shows the key
colour. Press the left mouse button on it and, holding it, drag onto the preview:
the colour under the pointer becomes the key colour while you move, so you can
watch the background disappear. Release the button on the best spot.
"""

PAGES[386] = """
Every property of a clip or effect in Vantrel is a variable: a number with a
minimum, a maximum and a default, which can have key frames. Between two key
frames the value changes evenly from one to the other (switches jump at the
key); before the first and after the last key it stays as it is there.
Variables are grouped (see the [[group selector|191]]) and edited in the
[[parameter pane|494]], on the preview's [[corner handles|497]], in the
[[rectangle panels|375]] and as curves.

Scripts and tutorials reach them by name, for example cc.IDS_DST_L for the left
edge of the current clip's destination rectangle, or cv.IDS_PROGRESS for the
progress of its current video effect. The topics of this help about variables:
[[Video Effects|605]], [[Audio Effects|606]], [[Clip Variables|425]].
"""

PAGES[487] = """
A value without a page of its own, such as a variable declared by a plugin effect.
Like every variable it has a minimum, a maximum and a default, shown below, and
can be keyed: see [[Vantrel Variable Manager|386]].
"""
