"""Pages of the effects and their categories, by topic number (the effect's
type)."""

PAGES = {}

CATEGORIES = "[[Basic|105]] [[Key|75]] [[Convolution|77]] [[Adjust With|251]] [[Patterns / Loops|442]] [[Others|271]]"

COMMON = """
Like every video effect it works inside its [[effect rectangle|424]] and only while
its [[switches|521]] are on; add it with [[Add Video Effect|366]]."""

# -- categories ---------------------------------------------------------------

PAGES[605] = f"""
Video effects change a clip's picture before it is laid onto the arrangement, or,
added with no clip current, the whole composed picture as master effects. A clip
can carry many; they run one after the other in the order they were added.

Every effect variable can be keyed: set a value at one time, another value at a
later time, and the effect changes smoothly in between. The categories:
{CATEGORIES}.

Add one with [[Add Video Effect|366]]; see its variables with
[[Work with Video Effects|362]].
"""

PAGES[606] = """
Audio effects change a clip's sound before it is mixed, or the whole mix when no
clip is current. [[Volume/Pan|142]] sets loudness and balance and is what fades
and ducking are made with; the [[4-Band Compressor / Expander|514]] shapes the
dynamics. Add one with [[Add Audio Effect|365]]; the tutorial
[[Mix and duck audio|9/tuts/audio.vrh]] uses both ideas.
"""

PAGES[105] = f"""
The everyday effects: [[Opacity|103]] fades a picture, the [[Adjuster|106]] shifts
its colours and saturation, the [[Mapper|111]] stretches its colour ranges, and
[[Left Side Right|300]] and [[Up Side Down|301]] mirror it. Other categories:
{CATEGORIES}.
"""

PAGES[75] = f"""
Keys make parts of a picture transparent so that the clips on lower tracks show
through. There are three kinds:
- colour keys: [[RGB Key|28]], [[Chroma Key|29]] remove one colour you pick;
- dominant-colour and brightness keys: [[Green Key|30]], [[Red Key|546]],
  [[Blue Key|548]], [[Brightness Key|31]] remove pixels by their strongest channel
  or their brightness; the usual choice for a green screen;
- shape keys: [[Circle Key|181]], [[Oval Key Outside|244]],
  [[Rectangle Key Outside|247]] keep a soft-edged shape.

Each has an inverted form that keeps what the plain one removes. A
[[Key Smoother|78]] after a key softens its edge. The tutorial
[[Key out a green background|9/tuts/greenkey.vrh]] shows the whole road. Other
categories: {CATEGORIES}.
"""

PAGES[77] = f"""
Filters that look at each pixel's neighbours: [[Blur|149]] softens the picture,
[[Edge Detect|72]] draws its outlines and [[Key Smoother|78]] softens the edges
left by a key. All three take a [[matrix size|438]] (the neighbourhood) and an
effect level that blends the result with the original. Other categories:
{CATEGORIES}.
"""

PAGES[251] = f"""
Colour adjusting limited to part of the picture. Each of these first finds the
pixels a key or shape would choose and then applies the [[Adjuster|106]]'s colour
changes to those pixels only, leaving the picture opaque: for example
[[Green Color Key|290]] tints only the green parts, [[Circle Inside|256]] only a
soft circle, [[RGB Key Color Excluded|253]] everything except one colour. Good for
vignettes, for spot colour and for calming one loud colour. Other categories:
{CATEGORIES}.
"""

PAGES[442] = f"""
Effects that wrap the picture around so that it repeats without a seam:
[[Blend Loop Horizontal|439]] and [[Blend Loop Vertical|440]] scroll it endlessly,
[[Rotate X|443]] and [[Rotate Y|449]] roll and repeat it like a drum. Key their
variables over time for moving backgrounds. Other categories: {CATEGORIES}.
"""

PAGES[271] = f"""
Effects that move pixels or cut the picture: the [[Wipe|282]] for transitions,
the [[Rotator|266]] to turn a picture, [[Square Root|297]] to bend it, the
[[Bubble|419]] to squeeze it into an ellipse, and the frames
[[Frame Style 1|679]] and [[Top-Left Sink Shadow|676]]. Other categories:
{CATEGORIES}.
"""

# -- basic ----------------------------------------------------------------------

PAGES[103] = f"""
Makes the clip more or less transparent. {{{{Opacity|cv.IDS_OPACITY}}}} runs from
-1 (invisible) through 0 (unchanged) to +1 (fully opaque, even where the picture
was see-through).

To fade a clip out: at the moment the fade should start set Opacity to 0; move to
the end of the fade and set it to -1. Key frames do the rest. The clip's own
[[Pre Effect Opacity|425]] works the same way before any effect runs.
{COMMON}
"""

PAGES[106] = f"""
Shifts the colours of the picture. {{{{Adjust Red|cv.IDS_ADJ_RED}}}},
{{{{Green|cv.IDS_ADJ_GREEN}}}} and {{{{Blue|cv.IDS_ADJ_BLUE}}}} add to or take from
their channel (-1 to +1; 0 changes nothing), {{{{Adjust Saturation|cv.IDS_ADJ_SATURATION}}}}
turns colour to grey as it goes from 1 down to 0, and
{{{{Adjust Opacity|cv.IDS_ADJ_OPACITY}}}} adds to the transparency.

A warm evening look: red +0.1, blue -0.1, saturation 0.8. Black and white:
saturation 0. See the [[Adjuster Variables|430]].
{COMMON}
"""

PAGES[111] = f"""
Remaps each colour channel and the opacity between two limits: a channel's black
becomes its "0" value and its full strength its "1" value, everything between
scaled. Setting {{{{Map Red 1|cv.IDS_MAP_RED_1}}}} to 0.5 halves the red; setting
{{{{Map Blue 0|cv.IDS_MAP_BLUE_0}}}} to 0.3 lifts the shadows towards blue; swapping 0
and 1 of all three colours makes a negative. See the [[Mapper Variables|431]].
{COMMON}
"""

PAGES[182] = f"""
Sends a colour-mapped copy of the clip's picture to a second place in the
arrangement: the copy is mapped like the [[Mapper|111]] does and laid into the
effect's own [[destination rectangle|423]], while the clip itself stays as it is.
Use it for a tinted reflection or a second small view of the same clip.
{COMMON}
"""

PAGES[300] = f"""
Mirrors the picture left to right inside the effect rectangle. It has no
variables of its own; switch it on and off over time with
{{{{Effect Toggle|cv.IDS_EFFECT_TOGGLE}}}}. Set the [[effect rectangle|424]] to the
left half to make a symmetric picture.
{COMMON}
"""

PAGES[301] = f"""
Turns the picture upside down inside the effect rectangle. Like
[[Left Side Right|300]] it has no variables of its own; together the two turn a
picture by half a circle.
{COMMON}
"""

# -- keys -----------------------------------------------------------------------

RGB = """Pick the colour to remove with the [[Color Picker|616]] strip at the top of the
effect's panel: press the mouse button on it and drag onto the colour in the
preview. The three tolerances say how far each channel may differ and still
count; start at 0.1 and raise them until the edges are clean. See the
[[RGB Key Variables|436]]."""

PAGES[28] = f"""
Removes every pixel whose red, green and blue all lie near the key colour. Best for
flat, evenly lit backgrounds of one colour.

{RGB}
{COMMON}
"""

PAGES[130] = f"""
Keeps only the pixels near the key colour and removes everything else: the
opposite of the [[RGB Key|28]]. Use it to cut a coloured object out of its
surroundings.

{RGB}
{COMMON}
"""

CHROMA = """The key colour is picked with the [[Color Picker|616]] strip, as for the RGB
key. {{Chroma Tolerance|cv.IDS_CHROMA_TOLERANCE}} is how far the colour itself may
differ, {{Luma Tolerance|cv.IDS_LUMA_TOLERANCE}} how far its brightness may. See the
[[Chroma Key Variables|437]]."""

PAGES[29] = f"""
Removes pixels by their colour rather than by their red, green and blue, so a
background in light and shadow goes with one setting: raise the luma tolerance to
take in the shadows, keep the chroma tolerance small to spare colours close to the
background.

{CHROMA}
{COMMON}
"""

PAGES[131] = f"""
Keeps only the pixels whose colour is near the key colour: the opposite of the
[[Chroma Key|29]].

{CHROMA}
{COMMON}
"""

def dominant(colour, opposite, example):
    return f"""
Removes every pixel in which {colour} is the strongest channel and whose brightness
lies between {{{{Brightness 1|cv.IDS_BRIGHTNESS1}}}} and
{{{{Brightness 2|cv.IDS_BRIGHTNESS2}}}}. No colour needs picking, which makes it
the quickest key for a {example}. Narrow the brightness window (raise Brightness 1)
if parts of the subject disappear; add a [[Key Smoother|78]] for softer edges.
The [[inverted form|{opposite}]] keeps what this one removes.
{COMMON}
"""

PAGES[30] = dominant("green", 288, "green screen, as in the tutorial [[Key out a green background|9/tuts/greenkey.vrh]]")
PAGES[546] = dominant("red", 547, "red backdrop")
PAGES[548] = dominant("blue", 549, "blue screen")

def dominant_inverted(colour, plain):
    return f"""
Keeps only the pixels in which {colour} is the strongest channel and whose
brightness lies between {{{{Brightness 1|cv.IDS_BRIGHTNESS1}}}} and
{{{{Brightness 2|cv.IDS_BRIGHTNESS2}}}}; everything else becomes transparent.
The opposite of the [[{colour.capitalize()} Key|{plain}]]: use it to lift a
{colour} object out of its picture.
{COMMON}
"""

PAGES[288] = dominant_inverted("green", 30)
PAGES[547] = dominant_inverted("red", 546)
PAGES[549] = dominant_inverted("blue", 548)

PAGES[31] = f"""
Removes the pixels whose brightness lies between {{{{Brightness 1|cv.IDS_BRIGHTNESS1}}}}
and {{{{Brightness 2|cv.IDS_BRIGHTNESS2}}}} (0 is black, 1 white). With 0 and 0.15
the black background of a title or a fireworks shot disappears; with 0.85 and 1
a white one does. The [[inverted form|289]] keeps that brightness range instead.
{COMMON}
"""

PAGES[289] = f"""
Keeps only the pixels whose brightness lies between
{{{{Brightness 1|cv.IDS_BRIGHTNESS1}}}} and {{{{Brightness 2|cv.IDS_BRIGHTNESS2}}}}
and removes the rest: the opposite of the [[Brightness Key|31]]. With 0.7 and 1
only the highlights of a picture stay, to glow over another clip.
{COMMON}
"""

SHAPE_RADII = """The two radii, {{Radius 1|cv.IDS_RADIUS_1}} and {{Radius 2|cv.IDS_RADIUS_2}},
set the outer and inner edge of a soft band; make them equal for a hard edge.
Move or size the shape with the [[effect rectangle|424]]; key the radii to open
or close it like an iris. See [[Radii|432]]."""

SHAPE_SIZES = """The two sizes, {{Size 1|cv.IDS_SIZE1}} and {{Size 2|cv.IDS_SIZE2}}, set the
outer and inner edge of a soft band around the rectangle (1 reaches the effect
rectangle's sides). Equal sizes give a hard edge. See [[Size Variables|433]]."""

PAGES[181] = f"""
Keeps a circle in the middle of the effect rectangle and makes everything outside
it transparent, with a soft edge. The classic picture-in-picture porthole.

{SHAPE_RADII}
{COMMON}
"""

PAGES[241] = f"""
Cuts a circular hole into the picture: the inside becomes transparent and the rest
stays, so the clip underneath shows through a round window. The opposite of the
[[Circle Key|181]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[244] = f"""
Keeps an oval that fills the effect rectangle and removes the outside, with a soft
edge: a circle stretched to the rectangle's shape. The opposite is
[[Oval Key Inside|243]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[243] = f"""
Cuts an oval hole into the picture: its inside becomes transparent. The opposite
of the [[Oval Key Outside|244]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[247] = f"""
Keeps a rectangle in the middle of the effect rectangle and removes the outside,
with a soft border: a soft-edged crop.

{SHAPE_SIZES}
{COMMON}
"""

PAGES[248] = f"""
Cuts a rectangular hole into the picture, with a soft border. The opposite of the
[[Rectangle Key Outside|247]].

{SHAPE_SIZES}
{COMMON}
"""

# -- adjust with ------------------------------------------------------------------

ADJUST = """The colour change is the [[Adjuster|106]]'s: {{Adjust Red|cv.IDS_ADJ_RED}},
{{Green|cv.IDS_ADJ_GREEN}}, {{Blue|cv.IDS_ADJ_BLUE}} and
{{Adjust Saturation|cv.IDS_ADJ_SATURATION}}; the picture stays opaque."""

def adjust_with(what, key, key_number, tip):
    return f"""
Changes the colours only where {what}, as found by the
[[{key}|{key_number}]]; the rest of the picture is left as it was. {tip}

{ADJUST} The key's own variables choose the pixels, as on the key's page.
{COMMON}
"""

PAGES[252] = adjust_with("a pixel does not match the key colour", "RGB Key", 28,
                         "Pick the colour to protect; everything else is adjusted.")
PAGES[253] = adjust_with("a pixel matches the key colour", "RGB Key Inverted", 130,
                         "Pick the colour to change, for example to turn a red car blue.")
PAGES[254] = adjust_with("a pixel's colour is away from the key colour", "Chroma Key", 29,
                         "Pick a skin tone, set saturation 0, and everything but the faces turns grey.")
PAGES[255] = adjust_with("a pixel's colour is away from the key colour", "Chroma Key", 29,
                         "It works like [[Chroma Key Color|254]].")
PAGES[290] = adjust_with("green is not the strongest channel", "Green Key", 30,
                         "Saturation 0 leaves only the greens in colour.")
PAGES[291] = adjust_with("green is the strongest channel", "Green Key Inverted", 288,
                         "Tint the grass and leaves without touching the sky.")
PAGES[550] = adjust_with("red is not the strongest channel", "Red Key", 546,
                         "Saturation 0 leaves only the reds in colour.")
PAGES[551] = adjust_with("red is the strongest channel", "Red Key Inverted", 547,
                         "Calm down an overly red sunset.")
PAGES[552] = adjust_with("blue is not the strongest channel", "Blue Key", 548,
                         "Saturation 0 leaves only the blues in colour.")
PAGES[553] = adjust_with("blue is the strongest channel", "Blue Key Inverted", 549,
                         "Deepen the blue of a sky.")
PAGES[292] = adjust_with("a pixel's brightness lies outside the window of Brightness 1 and 2", "Brightness Key", 31,
                         "With a window of 0 to 0.7 only the highlights above it change: warm them for a sunlit look.")
PAGES[293] = adjust_with("a pixel's brightness lies inside the window of Brightness 1 and 2", "Brightness Key Inverted",
                         289, "Lift or tint only the shadows (window 0 to 0.3).")
PAGES[256] = adjust_with("the picture lies inside a soft circle", "Circle Key", 181,
                         "Brighten the middle of the picture like a spotlight.")
PAGES[257] = adjust_with("the picture lies outside a soft circle", "Circle Key Inside", 241,
                         "A vignette: darken or desaturate the corners (red, green and blue -0.3).")
PAGES[258] = adjust_with("the picture lies inside a soft oval", "Oval Key Outside", 244,
                         "An oval spotlight that follows the picture's shape.")
PAGES[259] = adjust_with("the picture lies outside a soft oval", "Oval Key Inside", 243,
                         "The oval vignette of an old photograph.")
PAGES[260] = adjust_with("the picture lies inside a soft rectangle", "Rectangle Key Outside", 247,
                         "Highlight a panel of the picture.")
PAGES[261] = adjust_with("the picture lies outside a soft rectangle", "Rectangle Key Inside", 248,
                         "Grey out everything around a region of interest.")

# -- filters ----------------------------------------------------------------------

MATRIX = """{{Matrix Size|cv.IDS_MATRIX_SIZE}} is the width of the neighbourhood in
pixels (3 to 32; even sizes count as the next odd one). {{Effect Level|cv.IDS_EFFECT_LEVEL}}
blends the result with the original, from 0 (no change) to 1 (full effect). See
[[Matrix Variables|438]]."""

PAGES[149] = f"""
Softens the picture by averaging each pixel with its neighbours. A small size with
a level keyed from 0 to 1 makes a picture drift out of focus; a large size makes a
soft background for a title.

{MATRIX}
{COMMON}
"""

PAGES[72] = f"""
Turns the picture into its outlines: flat areas become dark and edges light up.
Blend it in at a low level for a sharper, drawn look.

{MATRIX}
{COMMON}
"""

PAGES[78] = f"""
Smooths the edge left by a key: it works on transparency only, so that a keyed
subject gets a clean, soft outline instead of a ragged one. Add it after the key
(effects run in the order they were added). Level 0 gives a hard but cleaned edge;
higher levels a softer one. Size 3 or 5 is usually enough.

{MATRIX}
{COMMON}
"""

# -- patterns -----------------------------------------------------------------------

LOOP = """{{Pattern Displacement|cv.IDS_EFF_PATDIS}} shifts the picture: 1 is one whole
width of the effect rectangle. Key it from 0 at the clip's start to 5 at its end
and the picture scrolls five times without a visible seam."""

PAGES[439] = f"""
Scrolls the picture sideways in an endless loop, blending its two halves so that
the seam does not show. Made for clouds, water, textures and title backgrounds.

{LOOP}
{COMMON}
"""

PAGES[440] = f"""
Scrolls the picture up or down in an endless loop, like
[[Blend Loop Horizontal|439]] does sideways: rising bubbles, falling rain, film
credits over a texture.

{LOOP}
{COMMON}
"""

PAGES[443] = f"""
Wraps the picture around a drum lying on its side: the picture repeats vertically
and can be shifted and stretched differently at its top and bottom edge. The
positions ({{{{Top Position|cv.IDS_ROTX_TOP_POS}}}}, {{{{Bottom Position|cv.IDS_ROTX_BOT_POS}}}})
shift the picture, by half the rectangle per unit; the frequencies
({{{{Top Frequency|cv.IDS_ROTX_TOP_FREQ}}}}, {{{{Bottom Frequency|cv.IDS_ROTX_BOT_FREQ}}}})
say how many times it repeats across. Different top and bottom values give a
perspective tilt; keyed positions make it roll.
{COMMON}
"""

PAGES[449] = f"""
Wraps the picture around an upright drum: it repeats horizontally and can be
shifted and stretched differently at its left and right edge
({{{{Left Position|cv.IDS_ROTY_LEF_POS}}}}, {{{{Right Position|cv.IDS_ROTY_RIT_POS}}}},
{{{{Left Frequency|cv.IDS_ROTY_LEF_FREQ}}}}, {{{{Right Frequency|cv.IDS_ROTY_RIT_FREQ}}}}).
It is [[Rotate X|443]] turned by a quarter: key the positions for a spinning
cylinder.
{COMMON}
"""

# -- others ---------------------------------------------------------------------------

PAGES[282] = f"""
Reveals or hides the picture behind a moving straight edge: the transition
between two clips on neighbouring tracks.

{{{{Progress|cv.IDS_PROGRESS}}}} moves the edge: -1 hides the whole picture, 1 shows
all of it. {{{{Wipe Angle|cv.IDS_WIPEANGLE}}}} turns the direction (0 wipes from
the left, 90 from the bottom). {{{{Smoothing|cv.IDS_SMOOTHING}}}} sets the
softness of the edge: 0.7 gives a crisp edge, values near 0.99 a wide, soft
blend.

Key Progress from -1 to 1 over a second for a wipe in; see the tutorial
[[A wipe between two clips|9/tuts/wipe.vrh]].
{COMMON}
"""

PAGES[266] = f"""
Turns the picture around a centre point. {{{{Angle Degrees|cv.IDS_ANGLE}}}} turns it
by up to a whole turn either way, {{{{Rotations|cv.IDS_ROTATIONS}}}} adds whole turns,
so keying Rotations from 0 to 3 spins the picture three times.
{{{{Center X|cv.IDS_CENTERX}}}} and {{{{Center Y|cv.IDS_CENTERY}}}} place the centre
(0.5, 0.5 is the middle), which the preview marks with a small target. Parts
turned out of the rectangle become transparent.
{COMMON}
"""

PAGES[297] = f"""
Bends the picture as if seen through a curved lens: {{{{Distort X|cv.IDS_DISTORTX}}}}
stretches one side and squeezes the other across the picture,
{{{{Distort Y|cv.IDS_DISTORTY}}}} does the same from top to bottom; positive and
negative values bend towards opposite sides, and 0 leaves it straight. Key both for a wobbling,
breathing picture.
{COMMON}
"""

PAGES[419] = f"""
Squeezes the picture, row by row, into an ellipse that fills the effect rectangle;
the corners around it become transparent. The colour values
({{{{Red|cv.IDS_RED}}}}, {{{{Green|cv.IDS_GREEN}}}}, {{{{Blue|cv.IDS_BLUE}}}}, or the
[[Color Picker|616]]) give the colour of that transparent ground. Put a small
effect rectangle on a face for a comic bulge.
{COMMON}
"""

PAGES[679] = f"""
Draws a frame around the picture, inside the effect rectangle.
{{{{Frame Size|cv.IDS_FRAME_SIZE}}}} is its width (0.1 is a tenth of width plus height),
{{{{Frame Shading|cv.IDS_FRAME_SHADING}}}} shades its sides for a raised (above 0) or
sunken (below 0) look, and the [[Frame Color|680]] group gives its colour. Added
with no clip current, it frames the whole movie, as in the example project.
{COMMON}
"""

PAGES[676] = f"""
Darkens the top and left edges of the picture, fading inwards, so that it seems
sunk into the screen. {{{{Shadow Size|cv.IDS_SHADOW_SIZE}}}} sets how far the shadow
reaches.
{COMMON}
"""

PAGES[122] = """
Effects that come from plugin libraries installed beside Vantrel. Their variables
are the ones the plugin declares, after the usual [[effect rectangle|424]] and
[[switches|521]]. What they do is described by their maker.
"""

# -- audio --------------------------------------------------------------------------------

PAGES[142] = """
Sets the loudness and the left-right balance of the clip's sound.
{{Volume|ca.IDS_VOLUME}} runs from 0 (silent) to 1 (as recorded).
{{Pan|ca.IDS_PAN}} runs from -1 (left only) through 0 (both) to +1 (right only).

Both can be keyed: a fade is two keys of volume, ducking is a dip in the music's
volume while a voice or effect plays. [[Work With Volumes|210]] shows the volume
curves for dragging. The tutorial [[Mix and duck audio|9/tuts/audio.vrh]] does both.
Like every effect it follows its [[switches|521]].
"""

PAGES[514] = """
Reshapes the dynamics of the sound with four bands of level: how loud quiet
sounds ({{Low Band|ca.IDS_COMP4}}), lower-middle ({{Medium Low Band|ca.IDS_COMP3}}),
upper-middle ({{Medium High Band|ca.IDS_COMP2}}) and loud sounds
({{High Band|ca.IDS_COMP1}}) come out. At the defaults (0.25, 0.5, 0.75, 1) the
sound passes unchanged.

To compress (even out a voice): raise the low bands, for example 0.4 and 0.65, and
lower the high band to 0.85. To expand (more punch): lower the low bands. See
[[Audio Effects|606]].
"""
