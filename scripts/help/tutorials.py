"""Named pages: the home page's two targets and the tutorials' pages. The
tutorials' scripts are the .vrm files beside these pages."""

PAGES = {}

SAMPLES = """The sample files are in the folder 9/samps of the Vantrel program folder
(for an installed Vantrel usually /usr/lib/vantrel/9/samps)."""

FRESH = """The first step starts a new project. It asks before it does, and Vantrel
asks whether to save the project you have open; answer No to the first question
to keep your project untouched."""

MORE = "[[Tutorials|9/tuts/menu.vrh]] [[Help Home|591]]"

NOTHING = """If the step does nothing, no clip is current: click the clip in the arrangement
and run the step again."""

PAGES["home.vrh"] = """
Vantrel help. Everything here is installed with the program and works without an
internet connection.

Getting started
- [[First steps|215]]
- [[The window and its panes|555]]
- [[The tutorials|9/tuts/menu.vrh]]

Building a project
- [[Importing files|1]] and [[making titles and gradients|387]]
- [[The arrangement|353]], [[the time line|346]] and [[the time grid|636]]
- [[Where a clip appears: the destination rectangle|423]]
- [[Key frames and variables|386]], [[the parameter pane|494]], [[rectangle panels|375]]
- [[Apply|342]] and [[Undo|343]], [[saving|27]]

Effects
- [[Video effects|605]]: [[Basic|105]], [[Keys|75]], [[Filters|77]], [[Adjust With|251]],
  [[Patterns / Loops|442]], [[Others|271]]
- [[Audio effects|606]]

Finishing
- [[Make a movie file|360]], [[picture size|356]], [[frame rate|358]]

Internet options
- [[Check for a newer version|120]]
- [[Write to support|592]]
- [[Open a project from a web address|654]], [[import a clip from one|653]]
"""

PAGES["tuts/menu.vrh"] = """
Tutorials. Each one drives the editor step by step while you watch: click the bold
words with the hand cursor to run a step. They use the sample files that come with
Vantrel and need no internet connection. Tutorials that build a project ask before
they replace the one you have open.

- [[A first project from the samples|9/tuts/first.vrh]] (import, place, save)
- [[Key a clip's position over time|9/tuts/keys.vrh]] (a picture flies across)
- [[Key out a green background|9/tuts/greenkey.vrh]] (green key and smoother)
- [[A wipe between two clips|9/tuts/wipe.vrh]] (a keyed transition)
- [[Mix and duck audio|9/tuts/audio.vrh]] (volume, pan and their envelopes)
- [[Make the result to a file|9/tuts/make.vrh]] (size, frame rate, make)

Start with the first if Vantrel is new to you. [[Help Home|591]]
"""

PAGES["tuts/example.vrh"] = f"""
The example project: six seconds that use most of what Vantrel does. Drag in the
((time ruler|383)) to look through it; click a clip in ((the arrangement|353))
to see its variables, then [[Work with Video Effects|362]] or
[[Work with Audio Effect|361]] for its effects.
- The title on the top track: a [[text clip|387]] placed at the bottom of the
  picture.
- The disc: a picture shot on green, made see-through by a [[Green Key|30]], its
  [[destination rectangle|423]] keyed to move from left to right.
- Picture in Picture: a [[sub arrangement|387]] holding a movie, a gradient cut
  round by a [[Circle Key|181]] and a chime; its rectangle moves from the top right
  to the top left.
- The sunrise picture, wiped in and out again by a [[Wipe|282]].
- The backdrop movie at the bottom of the stack.
- The chord: [[Volume/Pan|142]] swells it and pans it from left to right, and a
  [[compressor|514]] evens it out. A second chime rings at 4.2 seconds.
- The whole picture gets a frame from [[Frame Style 1|679]], added as a master
  effect with no clip current.

Make it into a movie with [[Make the result to a file|9/tuts/make.vrh]], or build
one yourself: [[A first project from the samples|9/tuts/first.vrh]].

{MORE}
"""

# -- a first project ------------------------------------------------------------------

PAGES["tuts/first.vrh"] = f"""
A first project from the samples. In three steps you put a movie, a picture and a
sound on the arrangement, place the picture, and save the project.

{FRESH} Then three file dialogs open, one after the other (disc.png, backdrop.avi,
chime.wav); a question before each one says which file to choose. {SAMPLES}

[!Start|9/tuts/first1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/first2.vrh"] = f"""
Your first project. Look at what happened:
- ((The arrangement|353)) holds three clips: the disc picture on the top track,
  the backdrop movie on the track below, and from one second on the chime sound.
  A clip on a higher track is drawn in front of the ones below.
- Right after its import the disc was the current clip, and the tutorial set its
  destination rectangle so that it sits in the lower right of the picture.
- ((Apply|342)) was pressed, so this state is kept as the one to come back to.

Try it: drag in the ((time ruler|383)) and watch the preview. Click the disc clip
and drag a ((corner handle|497)) on the preview to move it. The green around the
disc goes away in [[Key out a green background|9/tuts/greenkey.vrh]]. Rest the
pointer on anything and press F1 to read about it.

Next: [!Save|9/tuts/first2.vrm!] [!the|9/tuts/first2.vrm!] [!project.|9/tuts/first2.vrm!]
A save dialog asks for a name.

{MORE}
"""

PAGES["tuts/first3.vrh"] = f"""
Done. The project is a small .kwp file that refers to the media files where they
lie; [[Open Project|25]] brings it back. Carry on with
[[Key a clip's position over time|9/tuts/keys.vrh]], or make it into a movie with
[[Make the result to a file|9/tuts/make.vrh]].

{MORE}
"""

# -- key frames -------------------------------------------------------------------------------

PAGES["tuts/keys.vrh"] = f"""
Key a clip's position over time. A clip's place in the picture is its
[[destination rectangle|423]]; set it at one time, set it differently at another,
and Vantrel moves the clip smoothly between the two. Each such setting is a key
frame.

{FRESH} Two file dialogs follow: choose sunrise.jpg, then backdrop.avi. {SAMPLES}

[!Start|9/tuts/keys1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/keys2.vrh"] = f"""
The sunrise picture now has three key frames on its destination rectangle:
- at 0 seconds, small and outside the left edge;
- at 3 seconds, in the middle;
- at 6 seconds, beyond the right edge.
Drag in the ((time ruler|383)) and watch it fly across the backdrop. With the
sunrise clip current, {{{{Next Key Frame|cc.614}}}} and
{{{{Previous Key Frame|cc.615}}}} under the parameter pane jump from key to key. At a
key, drag a ((corner handle|497)) on the preview to change that key; anywhere else,
the same drag makes a new key.

Step 2: fade it in and out. Click the sunrise clip on the top track of
((the arrangement|353)) so that it is the current clip (the backdrop, imported
last, is current now), then [!add|9/tuts/keys2.vrm!] [!the|9/tuts/keys2.vrm!]
[!fade.|9/tuts/keys2.vrm!]

{NOTHING}

{MORE}
"""

PAGES["tuts/keys3.vrh"] = f"""
The clip's {{{{Pre Effect Opacity|cc.IDS_START_OPACITY}}}} now rises from 0 to 1 in
its first second and falls back to 0 between 5 and 6 seconds. Every variable keys
the same way: set the time, set the value.

Useful tricks:
- Right-click a variable's row: Use Value Start To End drops all its keys and keeps
  the current value for all time.
- The ((rectangle panel|375)) options move a rectangle just outside the frame
  (Move Outside) for fly-ins.
- [[Work With Opacities|209]] shows the opacity curves to drag.

{MORE}
"""

# -- green key --------------------------------------------------------------------------------

PAGES["tuts/greenkey.vrh"] = f"""
Key out a green background. The disc picture was shot on green; a key makes the
green transparent so that the backdrop movie shows around the disc.

{FRESH} Two file dialogs follow: choose disc.png, then backdrop.avi. {SAMPLES}

[!Start|9/tuts/greenkey1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/greenkey2.vrh"] = f"""
The disc is on the top track, in front of the backdrop, and its
{{{{destination rectangle|cc.IDS_DST_RECT}}}} puts it in the middle. Its green square
hides the backdrop.

Step 2: click the disc clip in ((the arrangement|353)) so that it is the current
clip, then [!add|9/tuts/greenkey2.vrm!] [!the|9/tuts/greenkey2.vrm!]
[!key.|9/tuts/greenkey2.vrm!] A menu opens: choose [[Green Key|30]] under Key Effects.

{NOTHING}

{MORE}
"""

PAGES["tuts/greenkey3.vrh"] = f"""
The [[Green Key|30]] removes every pixel in which green is the strongest colour and
whose brightness lies between {{{{Brightness 1|cv.IDS_BRIGHTNESS1}}}} (set to 0.2) and
{{{{Brightness 2|cv.IDS_BRIGHTNESS2}}}} (1). Drag Brightness 1 up and watch the preview:
too high and some of the green stays; too low and dark greenish parts of the subject
go too.

Step 3: keyed edges are hard. With the disc still current,
[!smooth|9/tuts/greenkey3.vrm!] [!the|9/tuts/greenkey3.vrm!]
[!edges.|9/tuts/greenkey3.vrm!] The menu opens again: choose [[Key Smoother|78]] under
Convolution Filters.

{NOTHING}

{MORE}
"""

PAGES["tuts/greenkey4.vrh"] = f"""
The [[Key Smoother|78]] runs after the key and softens its edge:
{{{{Matrix Size|cv.IDS_MATRIX_SIZE}}}} 5 looks at 5 by 5 pixels,
{{{{Effect Level|cv.IDS_EFFECT_LEVEL}}}} 0.5 makes a medium soft edge. Effects run in
the order they were added, which is why the smoother comes second.

For other backgrounds: [[Blue Key|548]] for blue screens, [[Chroma Key|29]] with the
[[Color Picker|616]] for any colour, [[Brightness Key|31]] for black or white.

{MORE}
"""

# -- wipe ---------------------------------------------------------------------------------------

PAGES["tuts/wipe.vrh"] = f"""
A wipe between two clips. The picture in front is cut away by a moving edge and
uncovers the clip behind it. The [[Wipe|282]] effect does it; its progress,
keyed from 1 to -1, makes the edge travel.

{FRESH} Two file dialogs follow: choose sunrise.jpg (the picture in front), then
backdrop.avi (the movie behind). {SAMPLES}

[!Start|9/tuts/wipe1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/wipe2.vrh"] = f"""
The sunrise picture is on the top track and covers the backdrop on the track below.
The clip on a higher track is always drawn in front.

Step 2: click the sunrise clip in ((the arrangement|353)) (top track) so that it is
current, then [!add|9/tuts/wipe2.vrm!] [!the|9/tuts/wipe2.vrm!]
[!wipe.|9/tuts/wipe2.vrm!] A menu opens: choose [[Wipe|282]] under Others.

{NOTHING}

{MORE}
"""

PAGES["tuts/wipe3.vrh"] = f"""
The wipe's {{{{Progress|cv.IDS_PROGRESS}}}} is keyed 1 at 0 and 2 seconds and -1 at 4
seconds: the sunrise stays whole for two seconds, then its edge sweeps across and
the backdrop appears. {{{{Wipe Angle|cv.IDS_WIPEANGLE}}}} 30 tilts the edge and
{{{{Smoothing|cv.IDS_SMOOTHING}}}} 0.9 makes it soft. Drag in the ((time ruler|383))
to watch it.

Try: set the angle to 90 for a wipe from top to bottom; drag the smoothing up to
0.99 for a slow dissolve-like blend; add a key at 3 seconds with progress 0.5 to
make the edge pause. For a plain cross-fade, use [[Opacity|103]] instead.

{MORE}
"""

# -- audio ---------------------------------------------------------------------------------------

PAGES["tuts/audio.vrh"] = f"""
Mix and duck audio. A chord plays as music; a chime sounds at 3 seconds, and the
music dips ("ducks") while it sounds, then comes back. The music also fades in and
out, and the chime moves from left to right. All of it is done with
[[Volume/Pan|142]] and key frames, the envelope of the sound.

{FRESH} Two file dialogs follow (chord.wav, then chime.wav) and two effect menus.
{SAMPLES}

[!Start|9/tuts/audio1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/audio2.vrh"] = f"""
The chord has a Volume/Pan effect whose {{{{Volume|ca.IDS_VOLUME}}}} is keyed as an
envelope:
- 0 to 1 second: fade in from 0 to 0.8;
- 2.8 to 3 seconds: duck to 0.25 for the chime;
- 4.3 to 4.6 seconds: back to 0.8;
- 7 to 8 seconds: fade out.
The chime starts at 3 seconds on the second track and is the current clip.

Step 2: [!pan|9/tuts/audio2.vrm!] [!the|9/tuts/audio2.vrm!] [!chime.|9/tuts/audio2.vrm!]
The effect menu opens again: choose Volume/Pan.

{NOTHING}

{MORE}
"""

PAGES["tuts/audio3.vrh"] = f"""
The chime's {{{{Pan|ca.IDS_PAN}}}} now moves from -0.8 (left) to 0.8 (right) while it
sounds. The curves pane shows the clips' volumes ([[Work With Volumes|210]]): each
key is a point you can drag up or down.

Listen: choose Play in a clip's menu, or make the project into a file with
[[Make the result to a file|9/tuts/make.vrh]]. Ducking works for voices over
music too: lower the music by a half to two thirds while the voice speaks, with
short ramps of a quarter second. The [[4-Band Compressor / Expander|514]] evens
out a voice that is sometimes loud and sometimes quiet.

{MORE}
"""

# -- make ----------------------------------------------------------------------------------------

PAGES["tuts/make.vrh"] = f"""
Make the result to a file. [[Make|360]] writes the part of the project under the
[[make strip|350]] into a movie file, frame by frame, with the mixed sound.

This tutorial works on the project you have open and does not replace it; the
first step fits the make strip to all of its clips, after asking. Try it on your
own project, or first run [[A first project from the samples|9/tuts/first.vrh]].

[!Start|9/tuts/make1.vrm!] the tutorial.

{MORE}
"""

PAGES["tuts/make2.vrh"] = f"""
The ((make strip|350)) now covers every clip, and the arrangement shows them all
([[F|509]] does this at any time). To make only a part, drag the strip's
((start|490)) and ((end|491)) grips, or use ((Make Start Time|351)) and
((Make End Time|352)) at the current time.

Step 2: [!choose|9/tuts/make2.vrm!] [!size|9/tuts/make2.vrm!]
[!and|9/tuts/make2.vrm!] [!frame|9/tuts/make2.vrm!] [!rate.|9/tuts/make2.vrm!]
Two menus open: [[Video Format|356]] (320 / 240 is a good start) and
[[Frames Per Second|358]] (15 fps is smooth).

{MORE}
"""

PAGES["tuts/make3.vrh"] = f"""
Step 3: [!make|9/tuts/make3.vrm!] [!the|9/tuts/make3.vrm!] [!movie.|9/tuts/make3.vrm!]
A save dialog asks where to write the file; then the format's options appear.
While the make runs, the window shows only the preview with the progress, and
((Stop|139)) or Esc ends it early. When it is done the panes come back.

{MORE}
"""

PAGES["tuts/make4.vrh"] = f"""
The make runs on its own; the status line counts the frames. When the preference
"Output file opens when made." is on, the finished file opens in your video player.
A slower machine makes more slowly, never worse: every frame is written.

{MORE}
"""
