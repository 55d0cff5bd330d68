"""Pages of the editor's own controls and commands, by topic number."""

PAGES = {}

PAGES[215] = """
Welcome to Vantrel. You compose video here: put movies, pictures, sounds and
titles on an arrangement of tracks, move and fade them with key frames, add
effects, watch the result in the preview and make it into a movie file.

A good first hour:
- [[Make a first project from the samples|9/tuts/first.vrh]] (five minutes, no typing)
- [!Open the example project|9/tuts/example.vrm!] and drag in the time ruler to look around
- [[Read how the window is laid out|555]]
- [[Choose a tutorial|9/tuts/menu.vrh]]

Everything in this window has a page like this one: rest the mouse pointer on a
button, a slider or a clip and press F1. Words in bold are links; some of them
light up the control they name while the pointer rests on them, for example
((Make|360)) or ((Import|1)).

The pages and tutorials are installed with the program and work without an
internet connection. [[Help Home|591]] brings you back to the start of the help.
"""

PAGES[555] = """
The Vantrel window has four panes around two splitters, with the time line
controls along the bottom.

- Top left: the preview. It shows the composed picture at the current time.
- Top right: the current clip: its picture, its two [[rectangle|375]] panels and
  its [[parameters|494]].
- Bottom left: this info browser. While it is closed, the curve of the current
  variable is shown there.
- Bottom right: ((the arrangement|353)), where the clips lie on tracks along time.

Drag a splitter to give a pane more room. The keypad gives one pane the whole
window: 8 the upper panes, 2 the lower ones, 4 and 6 the left and right, 7, 9,
1 and 3 a single corner. F9 enlarges the pane under the pointer. Keypad 5 or
Esc brings the four panes back.

Keys that work anywhere: the arrow keys left and right step the time by one
[[quantize|339]] unit; 0 jumps to the start of the current clip and 9 to its end;
1 to 8 jump to the eight locators; Print Screen copies the preview picture to the
clipboard; Esc also stops a make or playback.

Rest the pointer on anything and press F1 to read its page. A right click in the
arrangement opens a menu whose File entry holds the project commands
([[New Project|99]], [[Open Project|25]], [[Save As|27]] ...).
"""

PAGES[1] = """
Adds a media file to the arrangement as a new clip: a movie (AVI, MOV, MPEG,
ASF), a sound (WAV) or a still picture (PNG, JPEG, GIF, BMP). A Vantrel
project file (.kwp) can be imported too, as a clip of its own.

Click ((Import|1)) and choose the file. The new clip starts at the current time,
on the first free track, and becomes the current clip. A movie or sound keeps its
own length; a still picture lasts ten seconds. Drag the clip in
((the arrangement|353)) to move it, or drag its ends to shorten it.

The sample files in the folder 9/samps of the program folder are there to try
things out. A web address is imported with [[Import Clip URL|653]] instead.

See also [[New Media Clip|387]] for titles, gradients and sub arrangements.
"""

PAGES[387] = """
Makes a clip that is not read from a file. Click ((New Media Clip|387)) and
choose:

- Text String: a title. Its font and colours are variables of the clip; see [[Font Variables|426]], [[Forground Color|394]] and [[Shadow Variables|427]].
- Gradient: a picture that blends four corner colours; see [[Left Top Color|655]].
- Sub Arrangement: an arrangement inside the arrangement, with tracks and clips of
  its own. It is placed and faded like any clip, so a group of clips can move as one.

The new clip starts at the current time on a free track and becomes the current
clip, just like an [[imported|1]] one.
"""

PAGES[224] = """
Opens the page you are reading in a text editor, so that you can write your own
notes into the help. A topic that has no page yet gets a new file with a short
placeholder text.

Pages are plain text. Words are separated by spaces; the word br in angle
brackets starts a new line. Links are tagged words, one word each: a link to the
page of the Make button is written as an opening angle bracket, H, an equals
sign, the shown word, an equals sign, 360 and a closing angle bracket. See [[Help Home|591]] for where the pages live.
"""

PAGES[342] = """
Keeps every change made since the last Apply. ((Apply|342)) and ((Undo|343))
appear under the preview as soon as something has changed.

Apply is the safe point to come back to: [[Undo|343]] returns the whole project
to the state of the last Apply. Saving a project applies the pending changes
first, after asking.
"""

PAGES[343] = """
Throws away every change made since the last [[Apply|342]], after asking
"Do you really want to undo all pending changes?". Values, key frames and the
clips' times go back to what they were at the last Apply.

((Undo|343)) only appears while there are pending changes; with nothing pending
it does nothing.
"""

PAGES[800] = """
Takes back the last edit: a clip moved, trimmed, deleted or retexted, a key or
value changed, an effect added or removed, a new video format or frame rate. The
entry names the step it takes back ("Undo Move Clip"). Each step can be taken
back in turn, up to the memory the history may hold (a preference, 256 MB at
first); the oldest steps go first.

The keys: Ctrl+Z undoes, Ctrl+Shift+Z or Ctrl+Y redoes. The time, the zoom and
scroll of the arrangement are not steps. A whole drag is one step.

[[Undo|343]] is another thing: it throws away every change since the last
[[Apply|342]] at once, and that too is a step Ctrl+Z can take back.
"""

PAGES[801] = """
Does again the step that [[Undo Last Edit|800]] (Ctrl+Z) took back; the entry
names it ("Redo Move Clip"). A new edit after some undos ends what could be
redone.

The keys: Ctrl+Shift+Z or Ctrl+Y.
"""

PAGES[591] = """
((Help Home|591)) shows the start of the help: links to the local help pages and
the tutorials, and to the internet options. The help pages and tutorial scripts
are files in the folder 9 of the program folder; they work without an internet
connection.
"""

PAGES[477] = """
Opens the preferences: the skin (the pictures, colours and texts of the window),
the language, what the arrangement shows (locators, clip info and mutes), whether
tool tips and status messages appear, whether this help opens by itself at start
and after loading a project ("Enable Context Sensitive Action Responses"), and
the download limits.

Changes take effect at once; choose Ok in the ((Preferences|477)) dialog to keep
them for the next start.
"""

PAGES[120] = """
Asks the maker's site whether a newer Vantrel exists and says so ("Your Vantrel
is up-to-date." or the version to upgrade to). ((Update|120)) needs an internet
connection; nothing is installed by it.
"""

PAGES[592] = """
Opens your mail program with a new message addressed to Vantrel support, if a
support address is configured in the preferences.
"""

PAGES[139] = """
Stops a running [[make|360]] or playback. Esc does the same. A stopped make
leaves the file it has written so far.
"""

PAGES[360] = """
Makes the project into a movie file: every frame between the
[[make strip|350]]'s two ends is composed, and the sound mixed, and both are
written by the export plugin.

Click ((Make|360)), choose where to save the file, then the options of the
format. While the make runs, the window shows only the preview with the progress;
((Stop|139)) or Esc ends it early. When the preference asks for it, the file is
opened when it is done.

The picture size comes from [[Video Format|356]], the frame rate from
[[Frames Per Second|358]]. The sound is 44100 Hz stereo. Make is also in the
project menu as [[Generate|98]]. The tutorial [[Make a movie file|9/tuts/make.vrh]]
walks through it.
"""

PAGES[351] = """
Sets the start of the [[make strip|350]] to the current time. Move the time to the
first frame you want in the movie, then click ((Make Start Time|351)).
"""

PAGES[352] = """
Sets the end of the [[make strip|350]] to the current time. Move the time to the
last moment you want in the movie, then click ((Make End Time|352)).
"""

PAGES[350] = """
The make strip is the band above the arrangement that marks which part of the
time line [[Make|360]] writes into the file. Drag its [[start|490]] and [[end|491]]
grips, or set them at the current time with [[Make Start Time|351]] and
[[Make End Time|352]]. [[F|509]] fits the view and the strip to all clips;
[[Auto Adjust Make Strip|340]] keeps it fitted as you edit.
"""

PAGES[490] = """
The left grip of the [[make strip|350]]. Drag it to where the movie should begin.
"""

PAGES[491] = """
The right grip of the [[make strip|350]]. Drag it to where the movie should end.
"""

PAGES[356] = """
Chooses the picture size of the preview and of the made movie: 160 / 120,
176 / 120, 176 / 144, 240 / 180, 320 / 240 (the default), 352 / 240 or
352 / 288 pixels.

A clip's [[destination rectangle|423]] is kept in fractions of the picture, so
changing the size keeps every clip in its place. Smaller sizes preview faster.
"""

PAGES[358] = """
Chooses how many frames per second the preview steps through and
[[Make|360]] writes: 1, 2, 5, 10 or 15 (the default). The sound is not affected.
"""

PAGES[361] = """
Shows the audio effects of the current clip in the parameter pane, so that their
variables can be edited and keyed. The first one is the current audio effect.
Add one with [[Add Audio Effect|365]]. See [[Audio Effects|606]].
"""

PAGES[362] = """
Shows the video effects of the current clip in the parameter pane, so that their
variables can be edited and keyed. Add one with [[Add Video Effect|366]]. See
[[Video Effects|605]].
"""

PAGES[365] = """
Adds an audio effect to the current clip (to the whole project, as a master
effect, when no clip is current). Click ((Add Audio Effect|365)) and choose:

- [[Volume/Pan|142]]: loudness and left-right balance, keyable, for fades and ducking.
- [[4-Band Compressor / Expander|514]]: evens out loud and quiet passages.

The new effect becomes the current audio effect; its variables appear in the
parameter pane. The tutorial [[Mix and duck audio|9/tuts/audio.vrh]] shows it at work.
"""

PAGES[366] = """
Adds a video effect to the current clip (to the whole project, as a master
effect, when no clip is current). Click ((Add Video Effect|366)); the menu lists
the effects by category:
- [[Basic Effects|105]]: opacity, colour adjusting, mirrors
- [[Key Effects|75]]: make a colour, a brightness or a shape transparent
- [[Convolution Filters|77]]: blur, edges, softer key edges
- [[Adjust With|251]]: colour changes limited to a key or a shape
- [[Patterns / Loops|442]]: endless scrolling and wrapping
- [[Others|271]]: wipe, rotator, distortion, bubble

Effects run in the order they were added, each over its own
[[effect rectangle|424]]. The new effect becomes the current video effect.
"""

PAGES[344] = """
The start of the current clip on its parent's time line, in seconds. Double-click
((StartTime|344)) to type a new start; the clip moves, keeping its length.
"""

PAGES[345] = """
The length of the current clip in seconds. Double-click ((Size|345)) to type a new
length. The clip's start stays where it is.
"""

PAGES[346] = """
The current time of the project in seconds: the moment the preview shows and the
time at which slider changes set key frames. Double-click ((Global Time|346)) to
type a time; drag in the [[ruler|383]] to scrub; ((Backward|347)) and
((Foreward|348)) step by one [[quantize|339]] unit.
"""

PAGES[382] = """
How far into its media the current clip begins, in seconds. With an offset of 2,
a movie clip starts with its media's third second. Double-click
((Clip Offset|382)) to type it. Together with [[StartTime|344]] and [[Size|345]]
it chooses which part of a long recording is used.
"""

PAGES[367] = """
Shows what the current clip is made of: its file, picture size, length, frame
rate and sound format.
"""

PAGES[207] = """
The icon of the current clip's kind (movie, sound, picture, title, gradient or
sub arrangement). Click it for the same information as [[Clip Info|367]].
"""

PAGES[368] = """
Silences the current clip's sound (the whole project's when no clip is current)
without deleting anything. Click ((Mute Audio|368)) again to hear it. A muted
clip is silent in the made movie too.
"""

PAGES[369] = """
Hides the current clip's picture (the whole project's when no clip is current).
Click ((Mute Video|369)) again to show it. Handy for looking at what lies under a
clip.
"""

PAGES[353] = """
The arrangement: time runs from left to right, tracks from top to bottom. Each
clip is a box on its track, with its name and, for movies and sounds, a thumbnail
or waveform. Tracks higher up are drawn in front of lower ones.

- Click a clip to make it the current clip; its parameters and rectangles appear
  in the clip pane.
- Drag a clip to move it in time or to another track; drag its ends to trim it.
- Right-click for a menu: its File entry holds the project commands, the other
  entries act on the clip under the pointer (play, duplicate, split at the current
  time, delete, move up or down a track).
- A sub arrangement can be entered to edit the clips inside it.

Zoom with the [[zoom buttons|505]] or fit everything with [[F|509]]. The
[[make strip|350]] above the tracks marks what [[Make|360]] writes.
"""

PAGES[354] = """
The slider under the arrangement moves the visible part of the time line left and
right. Drag it, or use [[F|509]] to see everything.
"""

PAGES[355] = """
Scrolls the tracks of the arrangement up and down when there are more than fit.
"""

PAGES[383] = """
The time ruler above the arrangement, in seconds. Click or drag in it to set the
current time; the preview follows. The eight locators (keys 1 to 8) show here as
marks when the preferences ask for them.
"""

PAGES[330] = """
The time ruler below the arrangement. It works like the [[top ruler|383]]: click
or drag to set the current time.
"""

PAGES[505] = """
Shows less time across the arrangement, so that short clips and key frames are
easier to hit. ((Zoom Out Horizontal|506)) does the opposite, [[F|509]] fits all.
"""

PAGES[506] = """
Shows more time across the arrangement. See [[Zoom In Horizontal|505]] and [[F|509]].
"""

PAGES[507] = """
Makes the tracks taller, so that thumbnails and waveforms are easier to see.
((Zoom Out Vertical|508)) makes them lower.
"""

PAGES[508] = """
Makes the tracks lower, so that more tracks fit. See [[Zoom In Vertical|507]].
"""

PAGES[509] = """
Fits the view: the arrangement shows the whole project from its first to its
last clip, and the [[make strip|350]] is set to the same span.
"""

PAGES[347] = """
Moves the current time one step back. The step is one unit of the time grid (see
[[Quantize|339]]). The left arrow key does the same.
"""

PAGES[348] = """
Moves the current time one step forward, one unit of the time grid. The right
arrow key does the same.
"""

PAGES[384] = """
The bar of the current clip, below the arrangement: it shows where the clip lies
in time. Drag the bar to move the clip; drag its [[left|495]] or [[right|496]]
grip to change where it starts or ends.
"""

PAGES[495] = """
Drag the left grip of the [[current clip's bar|384]] to change where the clip
starts; its end stays in place.
"""

PAGES[496] = """
Drag the right grip of the [[current clip's bar|384]] to change where the clip
ends.
"""

for number, corner in ((497, "top-left"), (498, "top-right"), (499, "bottom-left"), (500, "bottom-right")):
    PAGES[number] = f"""
The {corner} handle of the rectangle being edited, drawn on the preview. Drag it to
resize the clip's [[destination rectangle|423]] (or the rectangle chosen in the
[[rectangle panel|375]]) from that corner; the opposite corner stays put. The
change is set as a key frame at the current time, so dragging at two different
times makes the clip grow or shrink between them.

The other corners: [[top-left|497]], [[top-right|498]], [[bottom-left|499]],
[[bottom-right|500]].
"""

PAGES[370] = """
Scales the preview picture down inside its pane, from 1.0 (full size) to 0.01.
Only the display changes; the made movie keeps the [[Video Format|356]] size.
"""

PAGES[335] = """
The status line: what the program is doing (reading a frame, processing, "Done!").
The preference "Show Status Messages" turns it on and off; scripts can do the
same through the preferences object.
"""

PAGES[636] = """
The time grid of the current arrangement: tempo, bar and unit, and the snap that
moving clips and stepping the time follow.
- [[Beats Per Minute|336]]
- [[Units Per Bar|337]]
- [[Unit Size|338]]
- [[Quantize (snap to)|339]]

Each setting is a button in the time grid's row that shows its value; a click
asks for a new one. The "Music Time Change" button copies the settings to the
arrangement's clips and effects, so their key frames snap to the same grid.
"""

PAGES[336] = """
The tempo of the time grid (60 by default). At 120 beats per minute a beat lasts
half a second. The musical snaps of [[Quantize|339]] (bar, 1/2 ... 1/64) follow
the tempo, so clips fall on the beat of your music.
"""

PAGES[337] = """
How many units make a bar in the time grid (4 by default, for a common four-beat
bar). Together with the [[Unit Size|338]] it sets the length of the "Bar" snap of
[[Quantize|339]].
"""

PAGES[338] = """
The note value of one unit of a bar (4 by default: quarter notes). A bar lasts
units per bar times 4 divided by the unit size beats, so 6 units of size 8 make a
six-eight bar. See [[Quantize|339]].
"""

PAGES[339] = """
What moving clips, stepping the time and the arrow keys snap to. "Quantize Off"
leaves times free (the arrow keys then step by one frame of the output's frame
rate, as "Frames Per Second" sets it). The clock snaps
are a hundredth, a tenth or a whole second, or one frame at 15, 20, 24, 25 or 30
frames per second. The musical snaps are a bar or a 1/2 ... 1/64 note at the tempo
of [[Beats Per Minute|336]]. A time is snapped to the nearest grid line.
"""

# Commands of the project and clip menus.

PAGES[99] = """
Starts an empty project. Vantrel first asks whether to save changes of the open
project. The start page of the help opens again.
"""

PAGES[25] = """
Opens a Vantrel project file (.kwp) in place of the open one, after asking whether
to save changes. A clip whose media file has moved is asked for.
"""

PAGES[26] = """
Saves the project into its file. Pending changes are [[applied|342]] first, after
asking. A project that has never been saved needs [[Save As|27]].
"""

PAGES[27] = """
Saves the project into a new .kwp file of your choice, which becomes the
project's file. The media files are not copied: the project refers to them where
they lie.
"""

PAGES[306] = """
Loads the project's file again, dropping every change since it was last saved.
"""

PAGES[473] = """
Opens one of the example projects that come with Vantrel (the file dialog opens in
the folder 9/samps). The example shows a backdrop movie, a wiped picture, a
picture in picture, a keyed disc, a title and mixed sounds. Your open project is
asked about first. The preferences can hide this menu entry.
"""

PAGES[654] = """
Opens a project from a web address: the file is downloaded, within the download
limits of the preferences, and opened.
"""

PAGES[653] = """
Imports a clip from a web address: the file is downloaded, within the download
limits of the preferences, and imported like a local file with [[Import|1]].
"""

PAGES[98] = """
The same as [[Make|360]]: writes the project into a movie file.
"""

PAGES[340] = """
Keeps the [[make strip|350]] fitted to the clips: the clips are shifted so that
the earliest starts at 0, the arrangement becomes as long as its clips, and the
make strip covers them all.
"""

PAGES[209] = """
Shows the opacity curves of the clips in the curve pane, to fade pictures in and
out by dragging key frames.
"""

PAGES[210] = """
Shows the volume curves of the clips in the curve pane, to shape fades and ducking
by dragging key frames. See [[Volume/Pan|142]].
"""

PAGES[183] = """
Plays the clip with its sound; ((Stop|139)) or Esc ends it.
"""

PAGES[637] = """
Copies the preview picture to the clipboard (the Print Screen key does the same).
"""

PAGES[643] = """
Copies the composed picture at the current time to the clipboard.
"""

PAGES[644] = """
Copies the current clip's own frame at the current time, before effects, to the
clipboard.
"""

PAGES[649] = """
Saves the composed picture at the current time as a BMP file.
"""

PAGES[650] = """
Saves the current clip's own frame at the current time as a BMP file.
"""

# Kinds of clip and the clip menu of the arrangement.

PAGES[172] = """
A title: a line of words drawn in one colour, centred, with everything around the
letters transparent, so it lies over the clips on lower tracks. Make one with
[[New Media Clip|387]]; change its words and typeface with Change Text in its
menu. Its size and weight are [[Font Variables|426]], its colour the
[[Forground Color|394]]; place it with its [[destination rectangle|423]]. A new
title is invisible until its [[Pre Effect Opacity|554]] is keyed above 0.
"""

PAGES[568] = """
A picture that blends four corner colours into each other: white, red, green and
blue unless you change them ([[Left Top Color|655]], [[Right Top Color|660]],
[[Left Bottom Color|670]], [[Right Bottom Color|665]]). Four equal corners make a
flat colour field, good as a background or a box behind a title; keyed corners
make a sky that changes. Make one with [[New Media Clip|387]].
"""

PAGES[412] = """
An arrangement inside the arrangement: it has its own tracks, clips, time grid
and effects, and the whole of it is placed, faded and effected like a single
clip, through its [[destination rectangle|423]] and [[Clip Variables|425]]. Use
it to build a picture in picture once and move it as one, as in the example
project. Make one with [[New Media Clip|387]]; its [[Clip Time Mapper|231]] can
slow or speed up everything inside it.
"""

PAGES[97] = """
The project commands in the arrangement's menu: [[New Project|99]],
[[Open Project|25]], [[Open Project URL|654]], [[Load Example Project|473]],
[[Save Project|26]], [[Save As|27]], [[Revert To Saved|306]], [[Generate|98]],
[[Import Video Clip|1]], [[Import Clip URL|653]], [[New Media Clip|387]],
[[Work With Opacities|209]] and [[Work With Volumes|210]].
"""

PAGES[36] = """
Deletes the selected clips after asking, listing their names; No is the default
answer. The tracks close up afterwards.
"""

PAGES[710] = """
Makes a copy of the clip, with its variables, key frames and effects. The copy
takes the clip's track and the clip and everything below it move down a row.
"""

PAGES[711] = """
Cuts the clip in two at the current time (snapped to the [[time grid|339]]): the
first part ends there and a copy with the same settings starts there and ends
where the clip ended. Nothing happens when the time is not inside the clip.
"""

PAGES[706] = """
Moves the clip to the top track, in front of all others. [[Up|707]],
[[Down|708]] and [[Bottom|709]] move it one row or to the back.
"""

PAGES[707] = """
Moves the clip one track up, in front of the clips on the track it passes.
"""

PAGES[708] = """
Moves the clip one track down, behind the clips of the track it passes.
"""

PAGES[709] = """
Moves the clip to the bottom track, behind all others.
"""

PAGES[704] = """
Makes this sound the only one heard: while a clip is the audio master, the other
clips are silent in the preview and in the made movie. Offered for sound-only
clips of the top arrangement; [[Remove Audio Master|705]] ends it.
"""

PAGES[705] = """
Ends the [[audio master|704]]: every clip is heard again.
"""

# The effect list's own commands (its right-click menu and the command table).
PAGES[761] = """
Takes the current effect off the clip, with its variables and key frames. The
effect below it in the list becomes current. Right click the effect in the list
above the [[parameters|494]] and choose Remove Effect; [[Undo|343]] brings it
back until the next [[Apply|342]].
"""

PAGES[762] = """
Moves the current effect one place up in the clip's list, so that it runs one
step earlier. Effects run from the top of the list down, each on what the ones
above it made: a [[Blur|149]] above a [[Green Key|30]] softens the picture before
the key, below it softens the key's edge as well.
"""

PAGES[763] = """
Moves the current effect one place down in the clip's list, so that it runs one
step later, on what the effects above it made. Use it with
[[Move Effect Up|762]] to try an effect before and after another one.
"""

PAGES[772] = """
The envelope strip of the arrangement: a volume curve drawn from a clip's sound
that other clips can follow, for example to lower the music while a voice
speaks. Right click a clip with sound in ((the arrangement|353)) and open
Envelope:
- Get Audio Envelope reads the clip's loudness into the strip.
- Invert turns it upside down (loud becomes quiet), which is what ducking needs.
- Full Range stretches it to use the whole range.
- Forward, Backward and Bidirectional Release smooth it, so the level falls
  back slowly after a loud passage.
- To Clip Strip copies the strip into the clip's current variable as key
  frames; From Clip Strip reads that variable back into the strip.
The tutorial [[Mix and duck audio|9/tuts/audio.vrh]] uses it step by step.
"""

PAGES[890] = """
The keys of the editor. Every one of them is also an entry of the menu bar,
which shows the key beside the command.

Playing:
- Space plays the arrangement from the current time with its sound, as Make
  would write it: blends, effects, titles and the mix. Space again stops, and
  the time stays where it stopped.
- L plays forward; L again doubles the speed, up to eight times.
- J plays backward (picture only, no sound); J again doubles the speed.
- K stops. Hold K and press L or J to step one frame forward or back.
- Esc also stops a playback or a make.

Moving about:
- Home and End go to the start and the end of the arrangement.
- Page Up and Page Down go to the previous and the next clip edge, the start
  or end of any clip on any track.
- The arrow keys left and right step by one [[quantize|339]] unit; 0 and 9
  jump to the start and end of the current clip; 1 to 8 to the locators.
- I and O set the start and the end of the [[make strip|350]] to the current
  time.

The project:
- Ctrl+N [[New Project|99]], Ctrl+O [[Open Project|25]], Ctrl+S
  [[Save Project|26]], Ctrl+Shift+S [[Save As|27]], Ctrl+I
  [[Import|1]], Ctrl+M [[Make|360]].
- Ctrl+Z takes back the last edit; Ctrl+Shift+Z or Ctrl+Y does it again.
- Ctrl+A [[selects every clip|870]] of the arrangement shown; Del deletes the
  selection after asking.
- Ctrl+Q quits; a changed project asks to be saved first, as closing the
  window does.

The panes: keypad 7, 8, 9, 4, 6, 1, 2 and 3 give one side the whole window,
keypad 5 brings the four panes back, F9 enlarges the pane under the pointer.
F1 opens the page of whatever is under the pointer; Print Screen copies the
preview picture.
"""

PAGES[891] = """
The tutorials walk you through the editor step by step; each one moves the
mouse pointer and presses the buttons for you, and you can stop it at any
time.

- [[Make a first project from the samples|9/tuts/first.vrh]]
- [[Look around the example project|9/tuts/example.vrh]]
- [[Key frames|9/tuts/keys.vrh]]
- [[A green screen key|9/tuts/greenkey.vrh]]
- [[A wipe from one clip to the next|9/tuts/wipe.vrh]]
- [[Sound and its volume|9/tuts/audio.vrh]]
- [[Making a movie file|9/tuts/make.vrh]]

[[All tutorials|9/tuts/menu.vrh]] lists them with a line about each.
The [[keys|890]] of the editor have a page of their own.
"""

PAGES[870] = """
Select All (Ctrl+A) chooses every clip of the arrangement shown. What is
chosen moves together: drag one of the clips and all of them follow, keeping
their distances; Duplicate copies them all, and [[Delete|36]] (or the Del key)
asks once about all of them. The whole move, copy or deletion is one step
that Ctrl+Z takes back.

In [[the arrangement|353]]:
- A click chooses one clip.
- Ctrl+click adds a clip to the choice, or takes it out.
- Shift+click adds every clip between the current clip and the one clicked:
  their rows and the time from the earlier start to the later end.
- Dragging over empty space draws a band; the clips it touches are chosen
  (with Ctrl or Shift held, added).

Chosen clips have a light frame; the current one, whose values the panes show,
an orange one.
"""
