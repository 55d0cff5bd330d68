"""Die benannten Seiten: die beiden Ziele der Startseite und die Seiten der
Tutorials. Die Skripte der Tutorials sind die .vrm-Dateien neben diesen Seiten."""

PAGES = {}

SAMPLES = """Die Beispieldateien liegen im Ordner 9/samps des Vantrel-Programmordners
(bei einem installierten Vantrel meist /usr/lib/vantrel/9/samps); beide Sprachen
verwenden dieselben Dateien."""

FRESH = """Der erste Schritt beginnt ein neues Projekt. Er fragt vorher, und Vantrel
fragt, ob das geöffnete Projekt gespeichert werden soll; antworten Sie auf die erste
Frage mit Nein, um Ihr Projekt unberührt zu lassen."""

MORE = "[[Tutorials|7/tuts/menu.vrh]] [[Hilfe-Startseite|591]]"

NOTHING = """Wenn der Schritt nichts tut, ist kein Clip aktuell: Klicken Sie auf den Clip
in der Anordnung und führen Sie den Schritt erneut aus."""

PAGES["home.vrh"] = """
Vantrel-Hilfe. Alles hier wird mit dem Programm installiert und funktioniert ohne
Internetverbindung.

Einstieg
- [[Erste Schritte|215]]
- [[Das Fenster und seine Bereiche|555]]
- [[Die Tutorials|7/tuts/menu.vrh]]

Ein Projekt aufbauen
- [[Dateien importieren|1]] und [[Titel und Verläufe erzeugen|387]]
- [[Die Anordnung|353]], [[die Zeitleiste|346]] und [[das Zeitraster|636]]
- [[Wo ein Clip erscheint: das Zielrechteck|423]]
- [[Schlüsselbilder und Variablen|386]], [[der Parameterbereich|494]], [[Rechteckfelder|375]]
- [[Übernehmen|342]] und [[Rückgängig|343]], [[Speichern|27]]

Effekte
- [[Videoeffekte|605]]: [[Grundeffekte|105]], [[Keys|75]], [[Filter|77]], [[Anpassen mit|251]],
  [[Muster / Schleifen|442]], [[Sonstige|271]]
- [[Audioeffekte|606]]

Fertigstellen
- [[Eine Filmdatei erstellen|360]], [[Bildgröße|356]], [[Bildrate|358]]

Internetoptionen
- [[Nach einer neueren Version suchen|120]]
- [[An den Support schreiben|592]]
- [[Ein Projekt von einer Webadresse öffnen|654]], [[einen Clip von einer importieren|653]]
"""

PAGES["tuts/menu.vrh"] = """
Tutorials. Jedes steuert den Editor Schritt für Schritt, während Sie zusehen:
Klicken Sie auf die fett gedruckten Wörter mit dem Handzeiger, um einen Schritt
auszuführen. Sie verwenden die Beispieldateien, die mit Vantrel kommen, und brauchen
keine Internetverbindung. Tutorials, die ein Projekt aufbauen, fragen, bevor sie das
geöffnete ersetzen.

- [[Ein erstes Projekt aus den Beispielen|7/tuts/first.vrh]] (importieren, platzieren, speichern)
- [[Die Position eines Clips über die Zeit steuern|7/tuts/keys.vrh]] (ein Bild fliegt durchs Bild)
- [[Einen grünen Hintergrund freistellen|7/tuts/greenkey.vrh]] (Green Key und Glättung)
- [[Eine Wischblende zwischen zwei Clips|7/tuts/wipe.vrh]] (ein Übergang mit Schlüsselbildern)
- [[Ton mischen und absenken|7/tuts/audio.vrh]] (Lautstärke, Panorama und ihre Hüllkurven)
- [[Das Ergebnis als Datei erstellen|7/tuts/make.vrh]] (Größe, Bildrate, Erstellen)

Beginnen Sie mit dem ersten, wenn Vantrel neu für Sie ist. [[Hilfe-Startseite|591]]
"""

PAGES["tuts/example.vrh"] = f"""
Das Beispielprojekt: sechs Sekunden, die das meiste von dem zeigen, was Vantrel
kann. Ziehen Sie im ((Zeitlineal|383)), um es durchzusehen; klicken Sie auf einen
Clip in ((der Anordnung|353)), um seine Variablen zu sehen, dann auf
[[Mit Videoeffekten arbeiten|362]] oder [[Mit Audioeffekt arbeiten|361]] für seine
Effekte.
- Der Titel auf der obersten Spur: ein [[Textclip|387]], unten ins Bild gesetzt.
- Die Scheibe: ein vor Grün aufgenommenes Bild, durch einen [[Green Key|30]]
  durchsichtig gemacht, ihr [[Zielrechteck|423]] mit Schlüsselbildern von links nach
  rechts bewegt.
- Bild im Bild: eine [[Unteranordnung|387]] mit einem Film, einem Verlauf, den ein
  [[Circle Key|181]] rund ausschneidet, und einem Glockenton; ihr Rechteck wandert
  von rechts oben nach links oben.
- Das Sonnenaufgangsbild, durch eine [[Wischblende|282]] herein- und wieder
  hinausgewischt.
- Der Hintergrundfilm ganz unten im Stapel.
- Der Akkord: [[Lautstärke/Panorama|142]] lässt ihn anschwellen und von links nach
  rechts wandern, ein [[Kompressor|514]] gleicht ihn aus. Ein zweiter Glockenton
  erklingt bei 4.2 Sekunden.
- Das ganze Bild bekommt einen Rahmen durch [[Rahmenstil 1|679]], als Master-Effekt
  hinzugefügt, während kein Clip aktuell war.

Erstellen Sie daraus einen Film mit [[Das Ergebnis als Datei erstellen|7/tuts/make.vrh]],
oder bauen Sie selbst einen: [[Ein erstes Projekt aus den Beispielen|7/tuts/first.vrh]].

{MORE}
"""

# -- ein erstes Projekt ---------------------------------------------------------------

PAGES["tuts/first.vrh"] = f"""
Ein erstes Projekt aus den Beispielen. In drei Schritten legen Sie einen Film, ein
Bild und einen Klang auf die Anordnung, platzieren das Bild und speichern das
Projekt.

{FRESH} Dann öffnen sich nacheinander drei Dateidialoge (disc.png, backdrop.avi,
chime.wav); eine Frage vor jedem sagt, welche Datei zu wählen ist. {SAMPLES}

[!Starten|7/tuts/first1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/first2.vrh"] = f"""
Ihr erstes Projekt. Sehen Sie, was geschehen ist:
- ((Die Anordnung|353)) enthält drei Clips: das Scheibenbild auf der obersten Spur,
  den Hintergrundfilm auf der Spur darunter und ab der ersten Sekunde den
  Glockenton. Ein Clip auf einer höheren Spur wird vor den darunter liegenden
  gezeichnet.
- Direkt nach dem Import war die Scheibe der aktuelle Clip, und das Tutorial hat ihr
  Zielrechteck so gesetzt, dass sie rechts unten im Bild sitzt.
- ((Übernehmen|342)) wurde gedrückt; dieser Stand ist also der, zu dem man
  zurückkehren kann.

Probieren Sie es: Ziehen Sie im ((Zeitlineal|383)) und beobachten Sie die Vorschau.
Klicken Sie auf den Scheibenclip und ziehen Sie einen ((Eckgriff|497)) auf der
Vorschau, um ihn zu verschieben. Das Grün um die Scheibe verschwindet in
[[Einen grünen Hintergrund freistellen|7/tuts/greenkey.vrh]]. Lassen Sie den Zeiger
auf etwas ruhen und drücken Sie F1, um darüber zu lesen.

Weiter: [!Das|7/tuts/first2.vrm!] [!Projekt|7/tuts/first2.vrm!]
[!speichern.|7/tuts/first2.vrm!] Ein Speicherdialog fragt nach einem Namen.

{MORE}
"""

PAGES["tuts/first3.vrh"] = f"""
Fertig. Das Projekt ist eine kleine .kwp-Datei, die auf die Mediendateien dort
verweist, wo sie liegen; [[Projekt öffnen|25]] holt es zurück. Machen Sie weiter
mit [[Die Position eines Clips über die Zeit steuern|7/tuts/keys.vrh]], oder
erstellen Sie daraus einen Film mit
[[Das Ergebnis als Datei erstellen|7/tuts/make.vrh]].

{MORE}
"""

# -- Schlüsselbilder ---------------------------------------------------------------------

PAGES["tuts/keys.vrh"] = f"""
Die Position eines Clips über die Zeit steuern. Der Platz eines Clips im Bild ist
sein [[Zielrechteck|423]]; setzen Sie es zu einer Zeit, setzen Sie es zu einer
anderen anders, und Vantrel bewegt den Clip gleichmäßig zwischen beiden. Jede
solche Einstellung ist ein Schlüsselbild.

{FRESH} Zwei Dateidialoge folgen: Wählen Sie sunrise.jpg, dann backdrop.avi.
{SAMPLES}

[!Starten|7/tuts/keys1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/keys2.vrh"] = f"""
Das Sonnenaufgangsbild hat jetzt drei Schlüsselbilder auf seinem Zielrechteck:
- bei 0 Sekunden klein und links außerhalb des Bildes;
- bei 3 Sekunden in der Mitte;
- bei 6 Sekunden jenseits des rechten Randes.
Ziehen Sie im ((Zeitlineal|383)) und sehen Sie zu, wie es über den Hintergrund
fliegt. Ist der Sonnenaufgangsclip aktuell, springen
{{{{Nächstes Schlüsselbild|cc.614}}}} und {{{{Vorheriges Schlüsselbild|cc.615}}}}
unter dem Parameterbereich von Schlüsselbild zu Schlüsselbild. Auf einem
Schlüsselbild ändert das Ziehen eines ((Eckgriffs|497)) auf der Vorschau dieses
Schlüsselbild; anderswo erzeugt dasselbe Ziehen ein neues.

Schritt 2: Ein- und ausblenden. Klicken Sie auf den Sonnenaufgangsclip auf der
obersten Spur ((der Anordnung|353)), damit er der aktuelle Clip ist (der zuletzt
importierte Hintergrund ist jetzt aktuell), dann [!die|7/tuts/keys2.vrm!]
[!Blende|7/tuts/keys2.vrm!] [!hinzufügen.|7/tuts/keys2.vrm!]

{NOTHING}

{MORE}
"""

PAGES["tuts/keys3.vrh"] = f"""
Die {{{{Deckkraft vor Effekten|cc.IDS_START_OPACITY}}}} des Clips steigt jetzt in
seiner ersten Sekunde von 0 auf 1 und fällt zwischen 5 und 6 Sekunden zurück auf 0.
Jede Variable bekommt Schlüsselbilder auf dieselbe Weise: Zeit setzen, Wert setzen.

Nützliche Kniffe:
- Rechtsklick auf die Zeile einer Variablen: Wert von Anfang bis Ende verwirft alle
  ihre Schlüsselbilder und behält den aktuellen Wert für alle Zeit.
- Die Optionen des ((Rechteckfelds|375)) setzen ein Rechteck knapp außerhalb des
  Bildes (Nach außen) für Einflüge.
- [[Mit Deckkraft arbeiten|209]] zeigt die Deckkraftkurven zum Ziehen.

{MORE}
"""

# -- Green Key ----------------------------------------------------------------------------

PAGES["tuts/greenkey.vrh"] = f"""
Einen grünen Hintergrund freistellen. Das Scheibenbild wurde vor Grün aufgenommen;
ein Key macht das Grün durchsichtig, so dass der Hintergrundfilm um die Scheibe
herum zu sehen ist.

{FRESH} Zwei Dateidialoge folgen: Wählen Sie disc.png, dann backdrop.avi.
{SAMPLES}

[!Starten|7/tuts/greenkey1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/greenkey2.vrh"] = f"""
Die Scheibe liegt auf der obersten Spur vor dem Hintergrund, und ihr
{{{{Zielrechteck|cc.IDS_DST_RECT}}}} setzt sie in die Mitte. Ihr grünes Quadrat
verdeckt den Hintergrund.

Schritt 2: Klicken Sie auf den Scheibenclip in ((der Anordnung|353)), damit er der
aktuelle Clip ist, dann [!den|7/tuts/greenkey2.vrm!] [!Key|7/tuts/greenkey2.vrm!]
[!hinzufügen.|7/tuts/greenkey2.vrm!] Ein Menü öffnet sich: Wählen Sie
[[Green Key|30]] unter Key-Effekte.

{NOTHING}

{MORE}
"""

PAGES["tuts/greenkey3.vrh"] = f"""
Der [[Green Key|30]] entfernt jedes Pixel, in dem Grün die stärkste Farbe ist und
dessen Helligkeit zwischen {{{{Helligkeit 1|cv.IDS_BRIGHTNESS1}}}} (auf 0.2 gesetzt)
und {{{{Helligkeit 2|cv.IDS_BRIGHTNESS2}}}} (1) liegt. Ziehen Sie Helligkeit 1
nach oben und beobachten Sie die Vorschau: zu hoch, und etwas vom Grün bleibt; zu
niedrig, und dunkle grünliche Teile des Motivs verschwinden mit.

Schritt 3: Freigestellte Kanten sind hart. Während die Scheibe noch aktuell ist,
[!die|7/tuts/greenkey3.vrm!] [!Kanten|7/tuts/greenkey3.vrm!]
[!glätten.|7/tuts/greenkey3.vrm!] Das Menü öffnet sich wieder: Wählen Sie
[[Key-Glätter|78]] unter Faltungsfilter.

{NOTHING}

{MORE}
"""

PAGES["tuts/greenkey4.vrh"] = f"""
Der [[Key-Glätter|78]] läuft nach dem Key und macht seine Kante weicher:
{{{{Matrixgröße|cv.IDS_MATRIX_SIZE}}}} 5 betrachtet 5 mal 5 Pixel,
{{{{Effektstärke|cv.IDS_EFFECT_LEVEL}}}} 0.5 ergibt eine mittelweiche Kante. Effekte
laufen in der Reihenfolge, in der sie hinzugefügt wurden; deshalb kommt der
Glätter als zweiter.

Für andere Hintergründe: [[Blue Key|548]] für Bluescreens, [[Chroma Key|29]] mit
der [[Farbpipette|616]] für jede Farbe, [[Brightness Key|31]] für Schwarz oder
Weiß.

{MORE}
"""

# -- Wischblende ------------------------------------------------------------------------------

PAGES["tuts/wipe.vrh"] = f"""
Eine Wischblende zwischen zwei Clips. Das vordere Bild wird von einer wandernden
Kante weggeschnitten und gibt den Clip dahinter frei. Das macht der Effekt
[[Wischblende|282]]; sein Fortschritt, mit Schlüsselbildern von 1 nach -1 geführt,
lässt die Kante wandern.

{FRESH} Zwei Dateidialoge folgen: Wählen Sie sunrise.jpg (das vordere Bild), dann
backdrop.avi (den Film dahinter). {SAMPLES}

[!Starten|7/tuts/wipe1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/wipe2.vrh"] = f"""
Das Sonnenaufgangsbild liegt auf der obersten Spur und verdeckt den Hintergrund auf
der Spur darunter. Der Clip auf der höheren Spur wird immer davor gezeichnet.

Schritt 2: Klicken Sie auf den Sonnenaufgangsclip in ((der Anordnung|353)) (oberste
Spur), damit er aktuell ist, dann [!die|7/tuts/wipe2.vrm!]
[!Wischblende|7/tuts/wipe2.vrm!] [!hinzufügen.|7/tuts/wipe2.vrm!] Ein Menü öffnet
sich: Wählen Sie [[Wischblende|282]] unter Sonstige.

{NOTHING}

{MORE}
"""

PAGES["tuts/wipe3.vrh"] = f"""
Der {{{{Fortschritt|cv.IDS_PROGRESS}}}} der Wischblende hat die Schlüsselbilder 1
bei 0 und 2 Sekunden und -1 bei 4 Sekunden: Der Sonnenaufgang bleibt zwei Sekunden
ganz, dann fegt seine Kante hinüber, und der Hintergrund erscheint.
{{{{Wischwinkel|cv.IDS_WIPEANGLE}}}} 30 neigt die Kante, und
{{{{Glättung|cv.IDS_SMOOTHING}}}} 0.9 macht sie weich. Ziehen Sie im
((Zeitlineal|383)), um zuzusehen.

Probieren Sie: Setzen Sie den Winkel auf 90 für eine Wischblende von oben nach
unten; ziehen Sie die Glättung bis 0.99 für eine langsame, überblendungsähnliche
Mischung; setzen Sie bei 3 Sekunden ein Schlüsselbild mit Fortschritt 0.5, damit
die Kante innehält. Für eine einfache Überblendung nehmen Sie stattdessen
[[Deckkraft|103]].

{MORE}
"""

# -- Ton ----------------------------------------------------------------------------------------

PAGES["tuts/audio.vrh"] = f"""
Ton mischen und absenken. Ein Akkord spielt als Musik; bei 3 Sekunden erklingt ein
Glockenton, und die Musik wird abgesenkt ("Ducking"), solange er klingt, und kommt
dann zurück. Die Musik wird außerdem ein- und ausgeblendet, und der Glockenton
wandert von links nach rechts. All das geschieht mit [[Lautstärke/Panorama|142]]
und Schlüsselbildern, der Hüllkurve des Klangs.

{FRESH} Zwei Dateidialoge folgen (chord.wav, dann chime.wav) und zwei
Effektmenüs. {SAMPLES}

[!Starten|7/tuts/audio1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/audio2.vrh"] = f"""
Der Akkord hat einen Effekt Lautstärke/Panorama, dessen
{{{{Lautstärke|ca.IDS_VOLUME}}}} als Hüllkurve Schlüsselbilder hat:
- 0 bis 1 Sekunde: Einblenden von 0 auf 0.8;
- 2.8 bis 3 Sekunden: Absenken auf 0.25 für den Glockenton;
- 4.3 bis 4.6 Sekunden: zurück auf 0.8;
- 7 bis 8 Sekunden: Ausblenden.
Der Glockenton beginnt bei 3 Sekunden auf der zweiten Spur und ist der aktuelle
Clip.

Schritt 2: [!den|7/tuts/audio2.vrm!] [!Glockenton|7/tuts/audio2.vrm!]
[!schwenken.|7/tuts/audio2.vrm!] Das Effektmenü öffnet sich wieder: Wählen Sie
Lautstärke/Panorama.

{NOTHING}

{MORE}
"""

PAGES["tuts/audio3.vrh"] = f"""
Das {{{{Panorama|ca.IDS_PAN}}}} des Glockentons wandert jetzt, während er klingt,
von -0.8 (links) nach 0.8 (rechts). Der Kurvenbereich zeigt die Lautstärken der
Clips ([[Mit Lautstärken arbeiten|210]]): Jedes Schlüsselbild ist ein Punkt, den
Sie nach oben oder unten ziehen können.

Anhören: Wählen Sie Abspielen im Menü eines Clips, oder erstellen Sie aus dem
Projekt eine Datei mit [[Das Ergebnis als Datei erstellen|7/tuts/make.vrh]].
Ducking funktioniert auch für Stimmen über Musik: Senken Sie die Musik um die
Hälfte bis zwei Drittel ab, solange die Stimme spricht, mit kurzen Rampen von einer
Viertelsekunde. Der [[4-Band-Kompressor / Expander|514]] gleicht eine Stimme aus,
die mal laut und mal leise ist.

{MORE}
"""

# -- Erstellen ----------------------------------------------------------------------------------

PAGES["tuts/make.vrh"] = f"""
Das Ergebnis als Datei erstellen. [[Erstellen|360]] schreibt den Teil des Projekts
unter dem [[Erstellungsstreifen|350]] Bild für Bild, mit dem gemischten Ton, in eine
Filmdatei.

Dieses Tutorial arbeitet mit dem geöffneten Projekt und ersetzt es nicht; der erste
Schritt passt nach einer Rückfrage den Erstellungsstreifen an alle seine Clips an.
Probieren Sie es an Ihrem eigenen Projekt aus, oder führen Sie zuerst
[[Ein erstes Projekt aus den Beispielen|7/tuts/first.vrh]] aus.

[!Starten|7/tuts/make1.vrm!] Sie das Tutorial.

{MORE}
"""

PAGES["tuts/make2.vrh"] = f"""
Der ((Erstellungsstreifen|350)) deckt jetzt jeden Clip ab, und die Anordnung zeigt
sie alle ([[F|509]] tut das jederzeit). Um nur einen Teil zu erstellen, ziehen Sie
den ((Anfangs-|490)) und den ((Endgriff|491)) des Streifens oder verwenden
((Erstellungsbeginn|351)) und ((Erstellungsende|352)) zur aktuellen Zeit.

Schritt 2: [!Größe|7/tuts/make2.vrm!] [!und|7/tuts/make2.vrm!]
[!Bildrate|7/tuts/make2.vrm!] [!wählen.|7/tuts/make2.vrm!] Zwei Menüs öffnen sich:
[[Videoformat|356]] (320 / 240 ist ein guter Anfang) und
[[Bilder pro Sekunde|358]] (15 fps läuft flüssig).

{MORE}
"""

PAGES["tuts/make3.vrh"] = f"""
Schritt 3: [!den|7/tuts/make3.vrm!] [!Film|7/tuts/make3.vrm!]
[!erstellen.|7/tuts/make3.vrm!] Ein Speicherdialog fragt, wohin die Datei
geschrieben wird; dann erscheinen die Optionen des Formats. Während die Erstellung
läuft, zeigt das Fenster nur die Vorschau mit dem Fortschritt, und ((Stopp|139))
oder Esc beendet sie vorzeitig. Ist sie fertig, kehren die Bereiche zurück.

{MORE}
"""

PAGES["tuts/make4.vrh"] = f"""
Die Erstellung läuft von selbst; die Statuszeile zählt die Bilder. Ist die
Einstellung eingeschaltet, dass die Ausgabedatei nach dem Erstellen geöffnet wird,
öffnet sich die fertige Datei in Ihrem Videoplayer. Ein langsamerer Rechner
erstellt langsamer, nie schlechter: Jedes Bild wird geschrieben.

{MORE}
"""
