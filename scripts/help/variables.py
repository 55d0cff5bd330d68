"""Pages of single variables: what F1 over a row of the parameter pane opens.
The browser adds the variable's name, range, default and key frames below the
text, so the texts leave the numbers to it unless they need explaining."""

PAGES = {}

KEYS = "Set it at one time and again at another to animate it."

# -- rectangles -------------------------------------------------------------------------------

EDGES = ("left", "top", "right", "bottom")


def rect_pages(first, owner, group, what, meaning):
    for i, edge in enumerate(EDGES):
        other = ", ".join(f"[[{e}|{first + j}]]" for j, e in enumerate(EDGES) if j != i)
        PAGES[first + i] = f"""
The {edge} edge of the {what}, as a fraction: {meaning[i]} The other edges: {other}.
Part of the [[{what}|{group}]]; drag the picture's corner handles or use the
[[rectangle panel|375]] to set all four at once. {KEYS}
"""


rect_pages(45, "cc", 422, "source rectangle", (
    "0 takes the picture from its own left edge, 0.5 from its middle.",
    "0 takes the picture from its own top, 0.5 from half way down.",
    "1 takes the picture up to its own right edge, 0.5 only its left half.",
    "1 takes the picture down to its bottom, 0.5 only its upper half.",
))
rect_pages(49, "cc", 423, "destination rectangle", (
    "0 is the left side of the output picture, 1 its right side; below 0 the clip starts off screen.",
    "0 is the top of the output picture, 1 its bottom; below 0 the clip starts above the screen.",
    "1 is the right side of the output picture; above 1 the clip reaches past it.",
    "1 is the bottom of the output picture; above 1 the clip reaches below it.",
))
rect_pages(53, "cv", 424, "effect rectangle", (
    "0 starts the effect at the picture's left edge.",
    "0 starts the effect at the picture's top.",
    "1 lets the effect reach the picture's right edge.",
    "1 lets the effect reach the picture's bottom.",
))

# -- clip variables ------------------------------------------------------------------------------

PAGES[231] = f"""
Which moment of a movie (or of a sub arrangement) the clip shows: 0 is the first
frame, 1 the last. A new clip gets two key frames, 0 at its start and 1 where its
media ends, so it plays at normal speed. For slow motion let the value reach 1
later: set 1 at a later time and delete the key at the media's end; reaching 1
earlier plays it faster. Two keys with the same value make a freeze frame; a
falling value plays backwards. Sound is not affected. See
[[Clip Variables|425]].
"""

PAGES[554] = f"""
Added to the opacity of the clip's own picture before any effect runs: 1 makes
a picture without transparency fully visible, 0.5 half, 0 or below invisible. A
title starts at 0 until you key it. Key it from 0 to 1 over a second to fade the
clip in. See [[Clip Variables|425]] and, for fades after the effects, the
[[Opacity|103]] effect.
"""

# -- colours -----------------------------------------------------------------------------------------

CHANNELS = ("red", "green", "blue", "alpha")


def colour_pages(first, group, what, group_name):
    for i, channel in enumerate(CHANNELS):
        if channel == "alpha":
            text = f"The opacity of the {what}: 0 transparent, 1 solid."
        else:
            text = f"The {channel} part of the {what}, from 0 (none) to 1 (full)."
        PAGES[first + i] = f"""
{text} Red, green and blue together mix the colour: 1, 1, 0 is yellow, 0.5, 0.5,
0.5 grey. Part of [[{group_name}|{group}]]. {KEYS}
"""


colour_pages(399, 394, "colour of a title's letters", "Forground Color")
colour_pages(395, 393, "colour a title is drawn on", "Background Color")
colour_pages(656, 655, "gradient's top-left corner", "Left Top Color")
colour_pages(661, 660, "gradient's top-right corner", "Right Top Color")
colour_pages(666, 665, "gradient's bottom-right corner", "Right Bottom Color")
colour_pages(671, 670, "gradient's bottom-left corner", "Left Bottom Color")
colour_pages(681, 680, "frame drawn by Frame Style 1", "Frame Color")

# -- titles -------------------------------------------------------------------------------------------------

PAGES[280] = f"""
The size of a title's letters in points. The title picture is as large as the
output picture, so a larger font fills more of it; a long line at a large size
runs past the edges. Key it to make the words grow. See [[Font Variables|426]].
"""
PAGES[281] = f"""
How heavy the title's letters are: 0 the thinnest the font has, 0.5 normal, 1 the
boldest. See [[Font Variables|426]].
"""
PAGES[388] = f"""
A switch: on draws the title in italics. Switches change at their key frames
instead of blending. See [[Font Variables|426]].
"""
PAGES[389] = f"""
A switch: on underlines the title's words. Key it on and off to flash the line.
See [[Font Variables|426]].
"""
for number, name in ((390, "distance"), (391, "angle"), (392, "inside switch")):
    PAGES[number] = f"""
The shadow {name} of a title. It is kept and keyed with the title, but this
version of Vantrel draws titles without a shadow; [[Shadow Variables|427]] shows
how to make one with a second title.
"""

# -- effect switches ---------------------------------------------------------------------------------------

PAGES[519] = f"""
Turns the effect on (1) or off (0) for the whole clip: it has one value, not key
frames. Switch it off to compare the picture with and without the effect. See
[[Effect Switches|521]].
"""
PAGES[520] = f"""
Turns the effect on or off over time: key it off at one moment and on at another
to use the effect for part of the clip only. See [[Effect Switches|521]].
"""

# -- effect variables ------------------------------------------------------------------------------------------

PAGES[104] = f"""
How much the [[Opacity|103]] effect adds to or takes from the picture's opacity:
-1 hides it, 0 leaves it, 1 makes it solid. Key it from 0 to -1 to fade out.
"""
PAGES[678] = f"""
How far the shadow of the [[Top-Left Sink Shadow|676]] reaches into the picture,
as a part of its width plus height.
"""
PAGES[685] = f"""
The width of the frame of [[Frame Style 1|679]], as a part of the picture's width
plus height: 0.03 is a thin line, 0.25 the widest.
"""
PAGES[686] = f"""
Shading of the frame of [[Frame Style 1|679]]: above 0 the top and left sides
darken and the others lighten (a raised frame), below 0 the other way round
(sunken), 0 a flat frame.
"""
PAGES[283] = f"""
The direction of the [[Wipe|282]], in degrees: 0 uncovers from the left, 90 from
the bottom, 180 from the right, 270 from the top; anything between tilts the edge.
"""
PAGES[276] = f"""
How far the [[Wipe|282]] has gone: -1 hides the whole picture, 1 shows all of it.
Key it from -1 to 1 for a wipe in, from 1 to -1 for a wipe out.
"""
PAGES[277] = f"""
The softness of the [[Wipe|282]]'s edge: 0.7 crisp, up to 0.99 a wide blend.
"""
PAGES[267] = f"""
The turn of the [[Rotator|266]] in degrees, added to its whole
[[rotations|268]]. Positive and negative values turn opposite ways.
"""
PAGES[268] = f"""
Whole turns of the [[Rotator|266]]: key it from 0 to 2 for two full spins.
"""
PAGES[269] = f"""
The horizontal place of the [[Rotator|266]]'s centre, as a fraction of the
picture's width (0.5 the middle). The preview marks the centre.
"""
PAGES[270] = f"""
The vertical place of the [[Rotator|266]]'s centre, as a fraction of the
picture's height (0.5 the middle).
"""
PAGES[298] = f"""
How strongly [[Square Root|297]] bends the picture across; 0 is straight, and the
sign chooses which side is stretched.
"""
PAGES[299] = f"""
How strongly [[Square Root|297]] bends the picture from top to bottom; 0 is
straight.
"""
PAGES[441] = f"""
How far the blend loops ([[horizontal|439]], [[vertical|440]]) have scrolled,
in whole picture widths or heights. Key it rising for an endless scroll.
"""
PAGES[286] = f"""
One end of the brightness window of the [[brightness|31]] and dominant-colour
keys ([[Green Key|30]] and the rest): pixels between Brightness 1 and
[[Brightness 2|287]] count, 0 being black and 1 white.
"""
PAGES[287] = f"""
The other end of the brightness window of the [[brightness|31]] and
dominant-colour keys; see [[Brightness 1|286]]. Which of the two is larger does
not matter.
"""
PAGES[123] = f"""
The loudness of [[Volume/Pan|142]]: 0 silent, 1 as recorded. Key it for fades and
for ducking music under a voice; [[Work With Volumes|210]] shows it as a curve.
"""
PAGES[150] = f"""
The balance of [[Volume/Pan|142]]: -1 left only, 0 both sides, 1 right only. Key
it to move a sound across.
"""

# -- adjuster, mapper ---------------------------------------------------------------------------------------

for number, channel in ((107, "red"), (108, "green"), (109, "blue")):
    PAGES[number] = f"""
Adds {channel} to the picture (above 0) or takes it away (below 0); 1 adds the full
amount. Used by the [[Adjuster|106]] and the [[Adjust With|251]] effects; see
[[Adjuster Variables|430]].
"""
PAGES[110] = f"""
Adds to the picture's opacity (above 0) or takes from it (below 0). Used by the
[[Adjuster|106]]; the [[Adjust With|251]] effects leave opacity alone.
"""
PAGES[240] = f"""
How colourful the picture stays: 1 unchanged, 0 black and white, between them
faded colours. Used by the [[Adjuster|106]] and the [[Adjust With|251]] effects.
"""

for number, channel, end in ((112, "red", 0), (113, "red", 1), (114, "green", 0), (115, "green", 1),
                             (116, "blue", 0), (117, "blue", 1), (118, "opacity", 0), (119, "opacity", 1)):
    partner = number + 1 if end == 0 else number - 1
    if end == 0:
        text = f"What the {channel} channel's darkest (zero) becomes in the [[Mapper|111]]: 0 keeps it, higher values lift it."
    else:
        text = f"What the {channel} channel's brightest (full) becomes in the [[Mapper|111]]: 1 keeps it, lower values dim it."
    PAGES[number] = f"""
{text} Its partner is [[Map {channel.capitalize()} {1 - end}|{partner}]]; swap the two
to invert the channel. See [[Mapper Variables|431]].
"""

# -- shapes ---------------------------------------------------------------------------------------------------

PAGES[187] = f"""
One edge of the soft band of the circle and oval keys and their
[[Adjust With|251]] forms; the other is [[Radius 2|188]]. The larger radius is the
outer edge. 1 reaches the corners of the [[effect rectangle|424]].
"""
PAGES[188] = f"""
The other edge of the soft band of the circle and oval keys; see
[[Radius 1|187]]. Equal radii give a hard edge.
"""
PAGES[249] = f"""
One edge of the soft border of the rectangle keys and their [[Adjust With|251]]
forms; the other is [[Size 2|250]]. 1 reaches the sides of the
[[effect rectangle|424]].
"""
PAGES[250] = f"""
The other edge of the soft border of the rectangle keys; see [[Size 1|249]].
Equal sizes give a hard edge.
"""

# -- rotate x and y -----------------------------------------------------------------------------------------

for number, edge, kind, effect in ((445, "top", "position", 443), (448, "top", "frequency", 443),
                                   (447, "bottom", "position", 443), (455, "bottom", "frequency", 443),
                                   (451, "left", "position", 449), (454, "left", "frequency", 449),
                                   (453, "right", "position", 449), (456, "right", "frequency", 449)):
    name = "Rotate X" if effect == 443 else "Rotate Y"
    if kind == "position":
        text = f"shifts the wrapped picture at its {edge} edge, by half the rectangle per unit. Key it to roll the picture."
    else:
        text = f"says how many times the picture repeats across at its {edge} edge; 1 shows it once."
    PAGES[number] = f"""
The {edge} {kind} of [[{name}|{effect}]] {text} Different values at the two edges
tilt the drum in perspective.
"""

# -- keys ----------------------------------------------------------------------------------------------------------

for number, channel in ((38, "red"), (39, "green"), (40, "blue")):
    PAGES[number] = f"""
The {channel} part of the key colour of the [[RGB|28]] and [[chroma|29]] keys, from 0
to 1, and of the [[Bubble|419]]'s ground. Setting it with the [[Color Picker|616]]
is easier than by hand. See [[RGB Key Variables|436]].
"""
for number, channel in ((42, "red"), (43, "green"), (44, "blue")):
    PAGES[number] = f"""
How far a pixel's {channel} may differ from the key colour's and still be keyed by
the [[RGB Key|28]]: 0.1 is a tenth of the full range. Raise it until the
background is gone, no further. See [[RGB Key Variables|436]].
"""
PAGES[242] = f"""
How far a pixel's colour may differ from the key colour of the [[Chroma Key|29]]
and still be keyed. Keep it small to spare colours near the background's.
"""
PAGES[246] = f"""
How far a pixel's brightness may differ from the key colour's in the
[[Chroma Key|29]]: raise it to take in the background's shadows and highlights.
"""

# -- filters, compressor ----------------------------------------------------------------------------------------

PAGES[73] = f"""
The width of the neighbourhood the [[Convolution Filters|77]] look at, in pixels:
3 is fine detail, larger sizes act more broadly and take longer. Even sizes count
as the next odd one.
"""
PAGES[74] = f"""
How much of the filtered picture replaces the original in the
[[Convolution Filters|77]]: 0 none, 1 all. For the [[Key Smoother|78]] it is the
softness of the edge.
"""
for number, band, level in ((515, "loudest", "1"), (516, "upper middle", "0.75"),
                            (517, "lower middle", "0.5"), (518, "quietest", "0.25")):
    PAGES[number] = f"""
How loud the {band} sounds come out of the [[4-Band Compressor / Expander|514]];
{level} leaves them as they are. Raise the quiet bands to compress, lower them to
expand.
"""
