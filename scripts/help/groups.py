"""Pages of the variable groups (the group header's topic). The Rotate X and Y
groups and the compressor's share their number with their effect and are
written there."""

PAGES = {}

KEYING = """Every value here is set at the current time: change it at one time,
move on, change it again, and the clip moves smoothly between the two key frames.
The buttons beside each row jump to the [[previous|611]] and [[next|610]] key
frame of that variable."""

PAGES[422] = f"""
Which part of the clip's own picture is used, as fractions of it: left and top
edge from 0, right and bottom from 1 ({{{{Source Left Edge|cc.IDS_SRC_L}}}},
{{{{Top|cc.IDS_SRC_T}}}}, {{{{Right|cc.IDS_SRC_R}}}}, {{{{Bottom|cc.IDS_SRC_B}}}}).
Setting 0.25, 0.25, 0.75, 0.75 crops to the middle quarter, which then fills the
[[destination rectangle|423]]: a zoom. Keying the source rectangle makes a pan
and scan over a large still picture.

Edit it with the [[rectangle panel|375]] or the rows of the parameter pane.
{KEYING}
"""

PAGES[423] = f"""
Where the clip appears in the output picture, as fractions of it:
{{{{Destination Left Edge|cc.IDS_DST_L}}}} and {{{{Top Edge|cc.IDS_DST_T}}}} start at 0,
{{{{Right|cc.IDS_DST_R}}}} and {{{{Bottom|cc.IDS_DST_B}}}} at 1, which fills the frame.
0.5, 0, 1, 0.5 puts the clip in the top-right quarter. Values below 0 or above 1
(up to 20) place it partly or wholly outside the frame, which is how a clip flies
in or out.

Drag the [[corner handles|497]] on the preview, use the [[rectangle panel|375]],
or type values. {KEYING} The tutorial
[[Key a clip's position over time|9/tuts/keys.vrh]] shows a clip crossing the frame.
"""

PAGES[425] = """
The variables of the clip itself, before any effect:
- [[Pre Effect Opacity|554]] (-1 to 1) is added to the picture's
  opacity. Pictures without transparency of their own need 1 to be seen; 0.5 makes
  them half transparent; keyed from 0 to 1 it fades the clip in.
- [[Clip Time Mapper|231]] (movies and sub arrangements) says
  which moment of the media is shown: 0 is its first frame and 1 its last. A new
  clip has two keys, 0 at its start and 1 at the media's end, so it plays normally.
  Key it to play slower, faster, frozen or backwards.
A title starts with Pre Effect Opacity 0 until a key is set.
"""

def colour_group(what, prefix, names, defaults):
    rows = ", ".join(f"{{{{{n}|cc.IDS_COLOR_{prefix}_{c}}}}}" for n, c in zip(names, "RGBA"))
    return f"""
{what} Its four values ({rows}) run from 0 to 1; the default is {defaults}.
Alpha is the opacity of the colour: 0 transparent, 1 solid. Key the colours to
make them change over time.
"""

PAGES[394] = colour_group("The colour of a title's letters.", "FG",
                          ("Forground Red", "Green", "Blue", "Alpha"), "opaque white") + """
See also [[Background Color|393]] and [[Font Variables|426]].
"""
PAGES[393] = colour_group("The colour a title is drawn on before its letters are cut out.", "BG",
                          ("Background Red", "Green", "Blue", "Alpha"),
                          "transparent black") + """
Only the pixels in exactly the letter colour are kept, so the background itself
never shows; it tints the soft edges of the letters. For a box behind a title,
put a [[Gradient|655]] clip with four equal corners on the track below it. See
also [[Forground Color|394]].
"""

PAGES[426] = """
The letters of a title clip:
- {{Font Size|cc.IDS_STR_FONTSIZE}} in points (5 to 500, 32 by default); the
  words are drawn on one line, centred in the picture, which is then laid into the
  [[destination rectangle|423]].
- {{Font Weight|cc.IDS_STR_FONTWEIGHT}}: 0 thin, 0.5 normal, 1 heaviest.
- {{Italic|cc.IDS_STR_ITALIC}} and {{Underlined|cc.IDS_STR_UNDERLINE}} are switches.
The words themselves are changed with "Change Text" in the clip's menu. Colours
are in [[Forground Color|394]] and [[Background Color|393]], the drop shadow in
[[Shadow Variables|427]].
"""

PAGES[427] = """
The shadow settings of a title clip: {{Shadow Distance|cc.IDS_STR_SDIST}} (0.02 by
default), {{Shadow Angle|cc.IDS_STR_SANG}} and {{Show Inside|cc.IDS_STR_SINS}}.
They are kept and keyed with the title and saved in the project, but this version
of Vantrel draws titles without a shadow. For a shadow today, duplicate the title,
colour the copy black, put it on the track below and move its
[[destination rectangle|423]] a little down and to the right.
"""

def corner_group(corner, prefix, default):
    rows = ", ".join(f"{{{{{n}|cc.IDS_COLOR_{prefix}_{c}}}}}" for n, c in zip(("Red", "Green", "Blue", "Alpha"), "RGBA"))
    return f"""
The colour of the {corner} corner of a gradient clip ({rows}; 0 to 1 each; {default}
by default). The picture blends smoothly between its four corner colours.
Set all four equal for a flat colour, two for a simple fade, and key them for a
sky that changes from day to dusk. The corners: [[Left Top|655]],
[[Right Top|660]], [[Left Bottom|670]], [[Right Bottom|665]].
"""

PAGES[655] = corner_group("top-left", "LT", "white")
PAGES[660] = corner_group("top-right", "RT", "green")
PAGES[670] = corner_group("bottom-left", "LB", "red")
PAGES[665] = corner_group("bottom-right", "RB", "blue")

PAGES[424] = f"""
The part of the clip's picture an effect works on, as fractions: 0, 0, 1, 1 (the
default) is the whole picture. Every video effect has its own, so one clip can be
blurred on the left and mirrored on the right. The shape keys and the
[[Bubble|419]] fit their shape into it; keying it makes the effect travel, like a
[[Circle Key|181]] following a face.
({{{{Effect Left Edge|cv.IDS_EFF_L}}}}, {{{{Top|cv.IDS_EFF_T}}}},
{{{{Right|cv.IDS_EFF_R}}}}, {{{{Bottom|cv.IDS_EFF_B}}}}.) Edit it in the
[[rectangle panel|375]]. {KEYING}
"""

PAGES[521] = """
Two switches every effect has. An effect runs only while both are on.
- {{Effect Enable|cv.IDS_EFFECT_ENABLE}} has one value for the whole clip: turn
  it off to compare the picture with and without the effect.
- {{Effect Toggle|cv.IDS_EFFECT_TOGGLE}} can be keyed: off at one time, on at
  another, to use an effect for only part of a clip.
For audio effects they work the same way on the sound.
"""

PAGES[428] = """
The effect's own values, under a common heading. Which ones appear depends on the
effect: {{Opacity|cv.IDS_OPACITY}} for [[Opacity|103]], progress, angle and
smoothing for the [[Wipe|282]], angle, rotations and centre for the
[[Rotator|266]], the distortions of [[Square Root|297]], the brightness window of
the [[Green Key|30]] and its relatives, the displacement of the
[[blend loops|439]], the sizes of the frames, and volume and pan for
[[Volume/Pan|142]]. Each effect's page explains its values.
"""

PAGES[430] = """
The colour changes of the [[Adjuster|106]] and of every [[Adjust With|251]] effect:
{{Adjust Red|cv.IDS_ADJ_RED}}, {{Adjust Green|cv.IDS_ADJ_GREEN}},
{{Adjust Blue|cv.IDS_ADJ_BLUE}} (-1 to 1, 0 unchanged),
{{Adjust Saturation|cv.IDS_ADJ_SATURATION}} (1 full colour, 0 grey) and
{{Adjust Opacity|cv.IDS_ADJ_OPACITY}} (-1 to 1; the Adjust With effects leave
opacity alone).
"""

PAGES[431] = """
The limits of the [[Mapper|111]], two for each channel: the "0" value is what the
channel's darkest becomes, the "1" value what its brightest becomes.
{{Map Red 1|cv.IDS_MAP_RED_1}}, {{Map Red 0|cv.IDS_MAP_RED_0}},
{{Map Green 1|cv.IDS_MAP_GREEN_1}}, {{Map Green 0|cv.IDS_MAP_GREEN_0}},
{{Map Blue 1|cv.IDS_MAP_BLUE_1}}, {{Map Blue 0|cv.IDS_MAP_BLUE_0}},
{{Map Opacity 1|cv.IDS_MAP_OPACITY_1}}, {{Map Opacity 0|cv.IDS_MAP_OPACITY_0}}.
1 and 0 leave a channel as it is; 0.8 and 0.2 flatten its contrast.
"""

PAGES[432] = """
The two radii of the circle and oval keys and of the circle and oval
[[Adjust With|251]] effects: {{Radius 1|cv.IDS_RADIUS_1}} (0.5 by default) and
{{Radius 2|cv.IDS_RADIUS_2}} (0.25). The larger one is the outer edge of the soft
band, the smaller the inner edge; equal values give a hard edge. 1 reaches the
corners of the [[effect rectangle|424]].
"""

PAGES[433] = """
The two sizes of the rectangle keys and the rectangle [[Adjust With|251]] effects:
{{Size 1|cv.IDS_SIZE1}} (1 by default) and {{Size 2|cv.IDS_SIZE2}} (0.5). The
larger one is the outer edge of the soft border, the smaller the inner edge; 1
reaches the sides of the [[effect rectangle|424]].
"""

PAGES[680] = """
The colour of the [[Frame Style 1|679]] effect's frame:
{{Frame Red|cv.IDS_COLOR_FRAME_R}}, {{Frame Green|cv.IDS_COLOR_FRAME_G}},
{{Frame Blue|cv.IDS_COLOR_FRAME_B}} (0 to 1; mid grey by default) and
{{Frame Alpha|cv.IDS_COLOR_FRAME_A}}, its opacity.
"""

PAGES[436] = """
The key colour and tolerances of the [[RGB Key|28]] family:
{{Red|cv.IDS_RED}}, {{Green|cv.IDS_GREEN}}, {{Blue|cv.IDS_BLUE}} give the colour
(most easily set with the [[Color Picker|616]]), and
{{Red Tolerance|cv.IDS_RED_TOLERANCE}}, {{Green Tolerance|cv.IDS_GREEN_TOLERANCE}},
{{Blue Tolerance|cv.IDS_BLUE_TOLERANCE}} how far each channel may differ (0.1 by
default). The [[Bubble|419]] uses the same three colour values for its ground.
"""

PAGES[437] = """
The tolerances of the [[Chroma Key|29]] family.
{{Chroma Tolerance|cv.IDS_CHROMA_TOLERANCE}} is how far a pixel's colour may be
from the key colour, {{Luma Tolerance|cv.IDS_LUMA_TOLERANCE}} how far its
brightness may be. The key colour itself is set with the [[Color Picker|616]]
and has no rows of its own.
"""

PAGES[438] = """
The settings of the [[Convolution Filters|77]]: {{Matrix Size|cv.IDS_MATRIX_SIZE}},
the neighbourhood in pixels (3 to 32, made odd), and
{{Effect Level|cv.IDS_EFFECT_LEVEL}}, how much of the filtered picture is blended
over the original (0 none, 1 all).
"""
