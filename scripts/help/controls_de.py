"""Die Seiten der eigenen Bedienelemente und Befehle des Editors, nach Themennummer."""

PAGES = {}

PAGES[215] = """
Willkommen bei Vantrel. Hier stellen Sie Videos zusammen: Filme, Bilder, Klänge
und Titel kommen in ein Arrangement aus Spuren, werden mit Keyframes bewegt
und eingeblendet, bekommen Effekte, und das Ergebnis sehen Sie in der Vorschau und
rendern daraus eine Filmdatei.

Eine gute erste Stunde:
- [[Ein erstes Projekt aus den Beispielen|7/tuts/first.vrh]] (fünf Minuten, ohne Tippen)
- [!Das Beispielprojekt öffnen|7/tuts/example.vrm!] und im Zeitlineal ziehen, um sich umzusehen
- [[Lesen, wie das Fenster aufgebaut ist|555]]
- [[Ein Tutorial wählen|7/tuts/menu.vrh]]

Alles in diesem Fenster hat eine Seite wie diese: Lassen Sie den Mauszeiger auf
einer Schaltfläche, einem Regler oder einem Clip ruhen und drücken Sie F1. Fett
gedruckte Wörter sind Verweise; manche lassen das Bedienelement aufleuchten, das
sie nennen, solange der Zeiger auf ihnen ruht, zum Beispiel ((Rendern|360)) oder
((Importieren|1)).

Die Seiten und Tutorials werden mit dem Programm installiert und funktionieren ohne
Internetverbindung. [[Hilfe-Startseite|591]] führt zurück zum Anfang der Hilfe.
"""

PAGES[555] = """
Das Vantrel-Fenster hat vier Bereiche um zwei Trennlinien, darunter die
Bedienelemente der Zeitleiste.

- Oben links: die Vorschau. Sie zeigt das zusammengesetzte Bild zur aktuellen Zeit.
- Oben rechts: der aktuelle Clip: sein Bild, seine zwei [[Rechteckfelder|375]] und
  seine [[Parameter|494]].
- Unten links: dieser Info-Browser. Solange er geschlossen ist, steht dort die Kurve
  der aktuellen Variablen.
- Unten rechts: ((das Arrangementfenster|353)), in dem die Clips auf Spuren entlang der Zeit
  liegen.

Ziehen Sie eine Trennlinie, um einem Bereich mehr Platz zu geben. Der Ziffernblock
gibt einem Bereich das ganze Fenster: 8 den oberen Bereichen, 2 den unteren, 4 und
6 dem linken und rechten, 7, 9, 1 und 3 einer einzelnen Ecke. F9 vergrößert den
Bereich unter dem Zeiger. Ziffernblock 5 oder Esc bringt die vier Bereiche zurück.

Tasten, die überall wirken: Die Pfeiltasten links und rechts verschieben die Zeit
um eine Einheit des [[Rasters|339]]; 0 springt an den Anfang des aktuellen Clips und 9
an sein Ende; 1 bis 8 springen zu den acht Locator-Positionen; Druck kopiert das
Vorschaubild in die Zwischenablage; Esc hält auch das Rendern oder die
Wiedergabe an.

Lassen Sie den Zeiger auf etwas ruhen und drücken Sie F1, um seine Seite zu lesen.
Ein Rechtsklick im Arrangement öffnet ein Menü, dessen Eintrag Datei die
Projektbefehle enthält ([[Neues Projekt|99]], [[Projekt öffnen|25]],
[[Speichern unter|27]] ...).
"""

PAGES[1] = """
Fügt dem Arrangement eine Mediendatei als neuen Clip hinzu: einen Film (AVI, MOV,
MPEG, ASF), einen Klang (WAV) oder ein Standbild (PNG, JPEG, GIF, BMP). Auch eine
Vantrel-Projektdatei (.kwp) lässt sich importieren, als eigener Clip.

Klicken Sie auf ((Importieren|1)) und wählen Sie die Datei. Der neue Clip beginnt
zur aktuellen Zeit auf der ersten freien Spur und wird zum aktuellen Clip. Ein Film
oder Klang behält seine eigene Länge; ein Standbild dauert zehn Sekunden. Ziehen
Sie den Clip im ((Arrangementfenster|353)), um ihn zu verschieben, oder ziehen Sie
seine Enden, um ihn zu kürzen.

Die Beispieldateien im Ordner 9/samps des Programmordners sind zum Ausprobieren
da. Eine Webadresse wird stattdessen mit [[Clip von Adresse importieren|653]] importiert.

Siehe auch [[Neuer Medienclip|387]] für Titel, Farbverläufe und Unterarrangements.
"""

PAGES[387] = """
Erzeugt einen Clip, der nicht aus einer Datei gelesen wird. Klicken Sie auf
((Neuer Medienclip|387)) und wählen Sie:

- Text: ein Titel. Schrift und Farben sind Variablen des Clips; siehe [[Schriftvariablen|426]], [[Vordergrundfarbe|394]] und [[Schattenvariablen|427]].
- Farbverlauf: ein Bild, das vier Eckfarben ineinander übergehen lässt; siehe [[Farbe oben links|655]].
- Unterarrangement: ein Arrangement im Arrangement, mit eigenen Spuren und Clips.
  Es wird wie jeder Clip platziert und eingeblendet, so dass sich eine Gruppe von
  Clips als Ganzes bewegen kann.

Der neue Clip beginnt zur aktuellen Zeit auf einer freien Spur und wird zum
aktuellen Clip, genau wie ein [[importierter|1]].
"""

PAGES[224] = """
Öffnet die Seite, die Sie gerade lesen, in einem Texteditor, damit Sie eigene
Notizen in die Hilfe schreiben können. Ein Thema, das noch keine Seite hat,
bekommt eine neue Datei mit einem kurzen Platzhaltertext.

Seiten sind reiner Text. Wörter werden durch Leerzeichen getrennt; das Wort br in
spitzen Klammern beginnt eine neue Zeile. Verweise sind markierte Wörter, jeweils
ein Wort: Ein Verweis auf die Seite der Schaltfläche Rendern wird geschrieben als
öffnende spitze Klammer, H, Gleichheitszeichen, das angezeigte Wort,
Gleichheitszeichen, 360 und schließende spitze Klammer. Unter
[[Hilfe-Startseite|591]] steht, wo die Seiten liegen.
"""

PAGES[342] = """
Übernimmt alle Änderungen seit dem letzten Übernehmen. ((Übernehmen|342)) und
((Rückgängig|343)) erscheinen unter der Vorschau, sobald sich etwas geändert hat.

Übernehmen ist der sichere Punkt, zu dem man zurückkehren kann:
[[Rückgängig|343]] setzt das ganze Projekt auf den Stand des letzten Übernehmens
zurück. Beim Speichern eines Projekts werden die ausstehenden Änderungen nach
einer Rückfrage zuerst übernommen.
"""

PAGES[343] = """
Verwirft alle Änderungen seit dem letzten [[Übernehmen|342]], nachdem es gefragt
hat: "Möchten Sie wirklich alle ausstehenden Änderungen rückgängig machen?". Werte, Keyframes und die Zeiten der Clips kehren zu dem
zurück, was sie beim letzten Übernehmen waren.

((Rückgängig|343)) erscheint nur, solange Änderungen ausstehen; ohne ausstehende
Änderungen tut es nichts.
"""

PAGES[800] = """
Nimmt die letzte Bearbeitung zurück: einen verschobenen, gekürzten, gelöschten oder
neu betexteten Clip, einen geänderten Keyframe oder einen geänderten Wert, einen
hinzugefügten oder entfernten Effekt, ein neues Videoformat oder eine neue Bildrate.
Der Eintrag nennt den Schritt, den er zurücknimmt. Jeder Schritt lässt sich der
Reihe nach zurücknehmen, bis zu dem
Speicher, den der Verlauf belegen darf (eine Einstellung, anfangs 256 MB); die
ältesten Schritte fallen zuerst weg.

Die Tasten: Strg+Z macht rückgängig, Strg+Umschalt+Z oder Strg+Y stellt wieder
her. Die Zeit, der Zoom und die Bildlaufposition des Arrangements sind keine Schritte.
Ein ganzes Ziehen ist ein Schritt.

[[Rückgängig|343]] ist etwas anderes: Es verwirft alle Änderungen seit dem letzten
[[Übernehmen|342]] auf einmal, und auch das ist ein Schritt, den Strg+Z
zurücknehmen kann.
"""

PAGES[801] = """
Führt den Schritt erneut aus, den [[Letzte Bearbeitung rückgängig|800]] (Strg+Z)
zurückgenommen hat; der Eintrag ((Wiederherstellen|801)) nennt ihn.
Eine neue Bearbeitung nach einigen Rückgängig-Schritten beendet, was sich
wiederherstellen ließe.

Die Tasten: Strg+Umschalt+Z oder Strg+Y.
"""

PAGES[591] = """
((Hilfe-Startseite|591)) zeigt den Anfang der Hilfe: Verweise auf die lokalen
Hilfeseiten und die Tutorials sowie auf die Internetoptionen. Die deutschen
Hilfeseiten und Tutorial-Skripte sind Dateien im Ordner 7 des Programmordners; sie
funktionieren ohne Internetverbindung.
"""

PAGES[477] = """
Öffnet die Einstellungen: den Skin (die Bilder, Farben und Texte des Fensters), die
Sprache, was das Arrangement zeigt (Locator, Clip-Info und Stummschaltungen), ob
Tooltips und Statusmeldungen erscheinen, ob sich diese Hilfe beim Start und nach
dem Laden eines Projekts von selbst öffnet ("Kontextabhängige Hilfe zu Aktionen
einschalten"), und die
Download-Grenzen.

Änderungen wirken sofort; wählen Sie OK im Dialog ((Einstellungen|477)), um sie für
den nächsten Start zu behalten.
"""

PAGES[120] = """
Fragt bei der Website des Herstellers nach, ob es ein neueres Vantrel gibt, und
meldet das Ergebnis ("Ihr Vantrel ist auf dem neuesten Stand." oder die Version,
auf die Sie aktualisieren können). ((Aktualisieren|120)) braucht eine Internetverbindung; es
installiert nichts.
"""

PAGES[592] = """
Öffnet Ihr E-Mail-Programm mit einer neuen Nachricht an den Vantrel-Support, wenn in
den Einstellungen eine Support-Adresse eingetragen ist.
"""

PAGES[139] = """
Hält ein laufendes [[Rendern|360]] oder eine Wiedergabe an. Esc tut dasselbe. Ein
angehaltenes Rendern hinterlässt die Datei, soweit sie bis dahin geschrieben ist.
"""

PAGES[360] = """
Rendert aus dem Projekt eine Filmdatei: Jedes Bild zwischen den beiden Enden des
[[Renderbereichs|350]] wird zusammengesetzt, der Ton gemischt, und beides
schreibt das Export-Plugin.

Klicken Sie auf ((Rendern|360)), wählen Sie, wohin die Datei gespeichert wird,
und dann die Optionen des Formats. Während das Rendern läuft, zeigt das Fenster
nur die Vorschau mit dem Fortschritt; ((Stopp|139)) oder Esc beendet es vorzeitig.
Wenn die Einstellung es verlangt, wird die Datei anschließend geöffnet.

Die Bildgröße kommt aus [[Videoformat|356]], die Bildrate aus
[[Bildrate|358]]. Der Ton ist 44100 Hz Stereo. Rendern steht auch im
Projektmenü, als [[Erzeugen|98]]. Das Tutorial
[[Eine Filmdatei rendern|7/tuts/make.vrh]] führt Schritt für Schritt hindurch.
"""

PAGES[351] = """
Setzt den Anfang des [[Renderbereichs|350]] auf die aktuelle Zeit. Stellen
Sie die Zeit auf das erste Bild, das im Film vorkommen soll, und klicken Sie dann
auf ((Renderbeginn|351)).
"""

PAGES[352] = """
Setzt das Ende des [[Renderbereichs|350]] auf die aktuelle Zeit. Stellen Sie
die Zeit auf den letzten Moment, der im Film vorkommen soll, und klicken Sie dann
auf ((Renderende|352)).
"""

PAGES[350] = """
Der Renderbereich ist das Band über dem Arrangement, das markiert, welchen Teil
der Zeitleiste [[Rendern|360]] in die Datei schreibt. Ziehen Sie seine Griffe,
[[Anfang des Renderbereichs|490]] und [[Ende des Renderbereichs|491]], oder setzen
Sie beide auf die aktuelle Zeit mit [[Renderbeginn|351]] und [[Renderende|352]].
[[E|509]] passt die Ansicht und den Bereich an alle Clips an;
[[Renderbereich automatisch anpassen|340]] hält ihn beim Bearbeiten angepasst.
"""

PAGES[490] = """
Der linke Griff des [[Renderbereichs|350]]. Ziehen Sie ihn dorthin, wo der
Film beginnen soll.
"""

PAGES[491] = """
Der rechte Griff des [[Renderbereichs|350]]. Ziehen Sie ihn dorthin, wo der
Film enden soll.
"""

PAGES[356] = """
Wählt die Bildgröße der Vorschau und des gerenderten Films: 160 / 120, 176 / 120,
176 / 144, 240 / 180, 320 / 240 (die Voreinstellung), 352 / 240 oder 352 / 288
Pixel.

Das [[Zielrechteck|423]] eines Clips wird in Bruchteilen des Bildes gehalten; eine
andere Größe lässt daher jeden Clip an seinem Platz. Kleinere Größen zeigen die
Vorschau schneller.
"""

PAGES[358] = """
Wählt, wie viele Bilder pro Sekunde die Vorschau durchläuft und [[Rendern|360]]
schreibt: 1, 2, 5, 10 oder 15 (die Voreinstellung). Der Ton bleibt davon unberührt.
"""

PAGES[361] = """
Zeigt die Audioeffekte des aktuellen Clips im Parameterbereich, damit ihre
Variablen bearbeitet und mit Keyframes versehen werden können. Der erste ist
der aktuelle Audioeffekt. Einen neuen fügt [[Neuer Audioeffekt|365]] hinzu.
Siehe [[Audioeffekte|606]].
"""

PAGES[362] = """
Zeigt die Videoeffekte des aktuellen Clips im Parameterbereich, damit ihre
Variablen bearbeitet und mit Keyframes versehen werden können. Einen neuen
fügt [[Neuer Videoeffekt|366]] hinzu. Siehe [[Videoeffekte|605]].
"""

PAGES[365] = """
Fügt dem aktuellen Clip einen Audioeffekt hinzu (dem ganzen Projekt als
Master-Effekt, wenn kein Clip aktuell ist). Klicken Sie auf
((Neuer Audioeffekt|365)) und wählen Sie:

- [[Lautstärke/Panorama|142]]: Lautstärke und Links-Rechts-Balance, mit Keyframes, für Blenden und Ducking.
- [[4-Band-Kompressor / -Expander|514]]: gleicht laute und leise Stellen aus.

Der neue Effekt wird zum aktuellen Audioeffekt; seine Variablen erscheinen im
Parameterbereich. Das Tutorial [[Ton mischen und absenken|7/tuts/audio.vrh]] zeigt
ihn bei der Arbeit.
"""

PAGES[366] = """
Fügt dem aktuellen Clip einen Videoeffekt hinzu (dem ganzen Projekt als
Master-Effekt, wenn kein Clip aktuell ist). Klicken Sie auf
((Neuer Videoeffekt|366)); das Menü listet die Effekte nach Kategorien:
- [[Grundeffekte|105]]: Deckkraft, Farbanpassung, Spiegelungen
- [[Key-Effekte|75]]: eine Farbe, eine Helligkeit oder eine Form durchsichtig machen
- [[Faltungsfilter|77]]: Weichzeichnen, Kanten, weichere Key-Kanten
- [[Anpassen mit|251]]: Farbänderungen, beschränkt auf einen Key oder eine Form
- [[Muster / Schleifen|442]]: endloses Rollen und Umbrechen
- [[Weitere|271]]: Wischblende, Drehung, Quadratwurzel, Blase

Effekte laufen in der Reihenfolge, in der sie hinzugefügt wurden, jeder über seinem
eigenen [[Effektrechteck|424]]. Der neue Effekt wird zum aktuellen Videoeffekt.
"""

PAGES[344] = """
Der Anfang des aktuellen Clips auf der Zeitleiste seines übergeordneten Clips, in
Sekunden. Doppelklicken Sie auf ((Startzeit|344)), um einen neuen Anfang
einzutippen; der Clip verschiebt sich und behält seine Länge.
"""

PAGES[345] = """
Die Länge des aktuellen Clips in Sekunden. Doppelklicken Sie auf ((Länge|345)), um
eine neue Länge einzutippen. Der Anfang des Clips bleibt, wo er ist.
"""

PAGES[346] = """
Die aktuelle Zeit des Projekts in Sekunden: der Moment, den die Vorschau zeigt, und
die Zeit, zu der Änderungen an Reglern Keyframes setzen. Doppelklicken Sie auf
((Globale Zeit|346)), um eine Zeit einzutippen; ziehen Sie im [[oberen Lineal|383]], um
die Zeit zu verschieben; ((Rückwärts|347)) und ((Vorwärts|348)) gehen um eine
Einheit des Rasters weiter (siehe [[Quantisieren (einrasten)|339]]).
"""

PAGES[382] = """
Wie weit in seinem Medium der aktuelle Clip beginnt, in Sekunden. Mit einem Versatz
von 2 beginnt ein Filmclip mit der dritten Sekunde seines Mediums. Doppelklicken Sie
auf ((Clip-Versatz|382)), um ihn einzutippen. Zusammen mit [[Startzeit|344]] und
[[Länge|345]] wählt er, welcher Teil einer langen Aufnahme verwendet wird.
"""

PAGES[367] = """
Zeigt, woraus der aktuelle Clip besteht: seine Datei, Bildgröße, Länge, Bildrate
und sein Tonformat.
"""

PAGES[207] = """
Das Symbol der Art des aktuellen Clips (Film, Klang, Bild, Titel, Farbverlauf oder
Unterarrangement). Ein Klick darauf zeigt dieselben Angaben wie
[[Clip-Info|367]].
"""

PAGES[368] = """
Schaltet den Ton des aktuellen Clips stumm (den des ganzen Projekts, wenn kein Clip
aktuell ist), ohne etwas zu löschen. Klicken Sie erneut auf
((Audio stumm|368)), um ihn wieder zu hören. Ein stummgeschalteter Clip ist auch im
gerenderten Film stumm.
"""

PAGES[369] = """
Blendet das Bild des aktuellen Clips aus (das des ganzen Projekts, wenn kein Clip
aktuell ist). Klicken Sie erneut auf ((Video aus|369)), um es wieder zu zeigen.
Praktisch, um zu sehen, was unter einem Clip liegt.
"""

PAGES[353] = """
Das Arrangementfenster: Die Zeit läuft von links nach rechts, die Spuren von oben nach
unten. Jeder Clip ist ein Kasten auf seiner Spur, mit seinem Namen und, bei Filmen
und Klängen, einem Vorschaubild oder einer Wellenform. Höhere Spuren werden vor
tieferen gezeichnet.

- Klicken Sie auf einen Clip, um ihn zum aktuellen Clip zu machen; seine Parameter
  und Rechtecke erscheinen im Clipbereich.
- Ziehen Sie einen Clip, um ihn in der Zeit oder auf eine andere Spur zu
  verschieben; ziehen Sie seine Enden, um ihn zu kürzen.
- Ein Rechtsklick öffnet ein Menü: Sein Eintrag Datei enthält die Projektbefehle,
  die anderen Einträge wirken auf den Clip unter dem Zeiger (Wiedergabe,
  Duplizieren, An aktueller Zeit teilen, Löschen, Nach oben, Nach unten ...).
- Ein Unterarrangement lässt sich betreten, um die Clips darin zu bearbeiten.

Zoomen Sie mit den [[Zoom-Schaltflächen|505]] oder passen Sie mit [[E|509]] alles
ein. Der [[Renderbereich|350]] über den Spuren markiert, was
[[Rendern|360]] schreibt.
"""

PAGES[354] = """
Der Schieberegler unter dem Arrangement verschiebt den sichtbaren Teil der Zeitleiste
nach links und rechts. Ziehen Sie ihn, oder sehen Sie mit [[E|509]] alles.
"""

PAGES[355] = """
Rollt die Spuren des Arrangements nach oben und unten, wenn es mehr gibt, als
hineinpassen.
"""

PAGES[383] = """
Das Zeitlineal über dem Arrangement, in Sekunden. Klicken oder ziehen Sie darin, um
die aktuelle Zeit zu setzen; die Vorschau folgt. Die acht Locator (Tasten 1 bis 8)
erscheinen hier als Zeichen, wenn die Einstellungen es verlangen.
"""

PAGES[330] = """
Das Zeitlineal unter dem Arrangement. Es funktioniert wie das
[[obere Lineal|383]]: Klicken oder ziehen Sie, um die aktuelle Zeit zu setzen.
"""

PAGES[505] = """
Zeigt weniger Zeit über die Breite des Arrangements, so dass kurze Clips und
Keyframes leichter zu treffen sind. ((Zoom - horizontal|506)) tut das
Gegenteil, [[E|509]] passt alles ein.
"""

PAGES[506] = """
Zeigt mehr Zeit über die Breite des Arrangements. Siehe
[[Zoom + horizontal|505]] und [[E|509]].
"""

PAGES[507] = """
Macht die Spuren höher, so dass Vorschaubilder und Wellenformen besser zu sehen
sind. ((Zoom - vertikal|508)) macht sie niedriger.
"""

PAGES[508] = """
Macht die Spuren niedriger, so dass mehr Spuren hineinpassen. Siehe
[[Zoom + vertikal|507]].
"""

PAGES[509] = """
Passt die Ansicht an: Das Arrangement zeigt das ganze Projekt vom ersten bis zum
letzten Clip, und der [[Renderbereich|350]] wird auf dieselbe Spanne gesetzt.
"""

PAGES[347] = """
Setzt die aktuelle Zeit einen Schritt zurück. Ein Schritt ist eine Einheit des
Zeitrasters (siehe [[Quantisieren (einrasten)|339]]). Die Pfeiltaste links tut dasselbe.
"""

PAGES[348] = """
Setzt die aktuelle Zeit einen Schritt vorwärts, um eine Einheit des Zeitrasters.
Die Pfeiltaste rechts tut dasselbe.
"""

PAGES[384] = """
Der Balken des aktuellen Clips unter dem Arrangement: Er zeigt, wo der Clip in der
Zeit liegt. Ziehen Sie den Balken, um den Clip zu verschieben; ziehen Sie seinen
[[linken|495]] oder [[rechten|496]] Griff, um zu ändern, wo er beginnt oder endet.
"""

PAGES[495] = """
Ziehen Sie den linken Griff des [[Balkens des aktuellen Clips|384]], um zu ändern,
wo der Clip beginnt; sein Ende bleibt an seinem Platz.
"""

PAGES[496] = """
Ziehen Sie den rechten Griff des [[Balkens des aktuellen Clips|384]], um zu
ändern, wo der Clip endet.
"""

for number, corner in ((497, "linke obere"), (498, "rechte obere"), (499, "linke untere"), (500, "rechte untere")):
    PAGES[number] = f"""
Der {corner} Griff des bearbeiteten Rechtecks, auf die Vorschau gezeichnet. Ziehen
Sie ihn, um das [[Zielrechteck|423]] des Clips (oder das im
[[Rechteckfeld|375]] gewählte Rechteck) von dieser Ecke aus in der Größe zu ändern;
die gegenüberliegende Ecke bleibt, wo sie ist. Die Änderung wird als Keyframe
zur aktuellen Zeit gesetzt; wer also zu zwei verschiedenen Zeiten zieht, lässt den
Clip zwischen ihnen wachsen oder schrumpfen.

Die anderen Ecken: [[oben links|497]], [[oben rechts|498]], [[unten links|499]],
[[unten rechts|500]].
"""

PAGES[370] = """
Verkleinert das Vorschaubild in seinem Bereich, von 1.0 (volle Größe) bis 0.01. Nur
die Anzeige ändert sich; der gerenderte Film behält die Größe aus
[[Videoformat|356]].
"""

PAGES[335] = """
Die Statuszeile: was das Programm gerade tut (ein Bild lesen, verarbeiten,
"Fertig!"). Die Einstellung "Statusmeldungen anzeigen" schaltet sie ein und aus; Skripte können das
ebenso über das Einstellungsobjekt.
"""

PAGES[636] = """
Das Zeitraster des aktuellen Arrangements: Tempo, Takt und Einheit sowie das Raster,
an dem sich das Verschieben von Clips und das Schrittweise Weiterstellen der Zeit
ausrichten.
- [[Schläge pro Minute|336]]
- [[Einheiten pro Takt|337]]
- [[Einheitengröße|338]]
- [[Quantisieren (einrasten)|339]]

Jede Einstellung ist eine Schaltfläche in der Zeile des Zeitrasters, die ihren
Wert zeigt; ein Klick fragt nach einem neuen. Die Schaltfläche
Musikalische Zeit ändern kopiert die Einstellungen auf die Clips und Effekte des
Arrangements, so dass deren Keyframes am selben Raster einrasten.
"""

PAGES[336] = """
Das Tempo des Zeitrasters (60 als Voreinstellung). Bei 120 Schlägen pro Minute
dauert ein Schlag eine halbe Sekunde. Die musikalischen Raster von
[[Quantisieren (einrasten)|339]] (Takt, 1/2 ... 1/64) folgen dem Tempo, so dass Clips auf den Schlag
Ihrer Musik fallen.
"""

PAGES[337] = """
Wie viele Einheiten einen Takt des Zeitrasters bilden (4 als Voreinstellung, für
einen üblichen Viervierteltakt). Zusammen mit der [[Einheitengröße|338]] legt sie
die Länge des Takt-Rasters von [[Quantisieren (einrasten)|339]] fest.
"""

PAGES[338] = """
Der Notenwert einer Einheit eines Takts (4 als Voreinstellung: Viertelnoten). Ein
Takt dauert Einheiten pro Takt mal 4 geteilt durch die Einheitengröße Schläge;
6 Einheiten der Größe 8 ergeben also einen Sechsachteltakt. Siehe [[Quantisieren (einrasten)|339]].
"""

PAGES[339] = """
Woran das Verschieben von Clips, das Weiterstellen der Zeit und die Pfeiltasten
einrasten. Ohne Raster bleiben Zeiten frei (die Pfeiltasten gehen dann um ein Bild
der Bildrate der Ausgabe weiter, wie das Menü Bildrate sie setzt). Die
Uhr-Raster sind eine hundertstel, eine zehntel oder eine ganze Sekunde oder ein
Bild bei 15, 20, 24, 25 oder 30 Bildern pro Sekunde. Die musikalischen Raster sind
ein Takt oder eine 1/2- ... 1/64-Note im Tempo von
[[Schläge pro Minute|336]]. Eine Zeit rastet an der nächstgelegenen Rasterlinie
ein.
"""

# Befehle der Projekt- und Clipmenüs.

PAGES[99] = """
Beginnt ein leeres Projekt. Vantrel fragt zuerst, ob Änderungen am geöffneten
Projekt gespeichert werden sollen. Die Startseite der Hilfe öffnet sich erneut.
"""

PAGES[25] = """
Öffnet eine Vantrel-Projektdatei (.kwp) anstelle der geöffneten, nachdem gefragt
wurde, ob Änderungen gespeichert werden sollen. Für einen Clip, dessen Mediendatei
verschoben wurde, wird nach der Datei gefragt.
"""

PAGES[26] = """
Speichert das Projekt in seine Datei. Ausstehende Änderungen werden nach einer
Rückfrage zuerst [[übernommen|342]]. Ein Projekt, das noch nie gespeichert wurde,
braucht [[Speichern unter|27]].
"""

PAGES[27] = """
Speichert das Projekt in eine neue .kwp-Datei Ihrer Wahl, die zur Datei des
Projekts wird. Die Mediendateien werden nicht kopiert: Das Projekt verweist auf
sie dort, wo sie liegen.
"""

PAGES[306] = """
Lädt die Datei des Projekts erneut und verwirft jede Änderung seit dem letzten
Speichern.
"""

PAGES[473] = """
Öffnet eines der Beispielprojekte, die mit Vantrel kommen (der Dateidialog öffnet
sich im Ordner 9/samps, den beide Sprachen gemeinsam nutzen). Das Beispiel zeigt
einen Hintergrundfilm, ein weggewischtes Bild, ein Bild im Bild, eine
freigestellte Scheibe, einen Titel und gemischte Klänge. Zu Ihrem geöffneten
Projekt wird zuerst gefragt. Die Einstellungen können diesen Menüeintrag
ausblenden.
"""

PAGES[654] = """
Öffnet ein Projekt von einer Webadresse: Die Datei wird innerhalb der
Download-Grenzen der Einstellungen heruntergeladen und geöffnet.
"""

PAGES[653] = """
Importiert einen Clip von einer Webadresse: Die Datei wird innerhalb der
Download-Grenzen der Einstellungen heruntergeladen und wie eine lokale Datei mit
[[Importieren|1]] importiert.
"""

PAGES[98] = """
Dasselbe wie [[Rendern|360]]: schreibt das Projekt in eine Filmdatei.
"""

PAGES[340] = """
Hält den [[Renderbereich|350]] an die Clips angepasst: Die Clips werden so
verschoben, dass der früheste bei 0 beginnt, das Arrangement wird so lang wie seine
Clips, und der Renderbereich deckt sie alle ab.
"""

PAGES[209] = """
Zeigt die Deckkraftkurven der Clips im Kurvenbereich, um Bilder durch Ziehen von
Keyframes ein- und auszublenden.
"""

PAGES[210] = """
Zeigt die Lautstärkekurven der Clips im Kurvenbereich, um Blenden und Ducking durch
Ziehen von Keyframes zu formen. Siehe [[Lautstärke/Panorama|142]].
"""

PAGES[183] = """
Spielt den Clip mit seinem Ton ab; ((Stopp|139)) oder Esc beendet die Wiedergabe.
"""

PAGES[637] = """
Kopiert das Vorschaubild in die Zwischenablage (die Taste Druck tut dasselbe).
"""

PAGES[643] = """
Kopiert das zusammengesetzte Bild zur aktuellen Zeit in die Zwischenablage.
"""

PAGES[644] = """
Kopiert das eigene Bild des aktuellen Clips zur aktuellen Zeit, vor den Effekten,
in die Zwischenablage.
"""

PAGES[649] = """
Speichert das zusammengesetzte Bild zur aktuellen Zeit als BMP-Datei.
"""

PAGES[650] = """
Speichert das eigene Bild des aktuellen Clips zur aktuellen Zeit als BMP-Datei.
"""

# Arten von Clips und das Clipmenü des Arrangements.

PAGES[172] = """
Ein Titel: eine Zeile Wörter in einer Farbe, zentriert, und alles um die Buchstaben
herum durchsichtig, so dass er über den Clips der tieferen Spuren liegt. Erzeugen
Sie einen mit [[Neuer Medienclip|387]]; seine Wörter und seine Schrift ändern Sie
mit Text ändern in seinem Menü. Größe und Stärke sind
[[Schriftvariablen|426]], seine Farbe die [[Vordergrundfarbe|394]]; platziert wird
er mit seinem [[Zielrechteck|423]]. Ein neuer Titel ist unsichtbar, bis seine
[[Deckkraft vor Effekten|554]] mit Keyframes über 0 gesetzt wird.
"""

PAGES[568] = """
Ein Bild, das vier Eckfarben ineinander übergehen lässt: Weiß, Rot, Grün und Blau,
solange Sie sie nicht ändern ([[Farbe oben links|655]],
[[Farbe oben rechts|660]], [[Farbe unten links|670]],
[[Farbe unten rechts|665]]). Vier gleiche Ecken ergeben eine einfarbige Fläche, gut
als Hintergrund oder als Kasten hinter einem Titel; Ecken mit Keyframes
ergeben einen Himmel, der sich ändert. Erzeugen Sie einen mit
[[Neuer Medienclip|387]].
"""

PAGES[412] = """
Ein Arrangement im Arrangement: Es hat eigene Spuren, Clips, ein eigenes
Zeitraster und eigene Effekte, und als Ganzes wird es wie ein einzelner Clip
platziert, eingeblendet und mit Effekten versehen, über sein
[[Zielrechteck|423]] und die [[Clip-Variablen|425]]. Damit bauen Sie ein Bild im
Bild einmal und bewegen es als Ganzes, wie im Beispielprojekt. Erzeugen Sie eines
mit [[Neuer Medienclip|387]]; seine [[Clip-Zeitzuordnung|231]] kann alles darin
verlangsamen oder beschleunigen.
"""

PAGES[97] = """
Die Projektbefehle im Menü des Arrangements: [[Neues Projekt|99]],
[[Projekt öffnen|25]], [[Projekt von Adresse öffnen|654]],
[[Beispielprojekt laden|473]], [[Projekt speichern|26]],
[[Speichern unter|27]], [[Zurück zur gespeicherten Fassung|306]],
[[Erzeugen|98]], [[Importieren|1]], [[Clip von Adresse importieren|653]],
[[Neuer Medienclip|387]], [[Deckkraft bearbeiten|209]] und
[[Lautstärke bearbeiten|210]].
"""

PAGES[36] = """
Löscht die ausgewählten Clips nach einer Rückfrage, die ihre Namen aufzählt; Nein
ist die vorgewählte Antwort. Die Spuren rücken danach zusammen.
"""

PAGES[710] = """
Erstellt eine Kopie des Clips mit seinen Variablen, Keyframes und Effekten.
Die Kopie nimmt die Spur des Clips ein, und der Clip und alles darunter rücken eine
Zeile nach unten.
"""

PAGES[711] = """
Teilt den Clip an der aktuellen Zeit (am [[Zeitraster|339]] eingerastet) in zwei:
Der erste Teil endet dort, und eine Kopie mit denselben Einstellungen beginnt dort
und endet, wo der Clip endete. Liegt die Zeit nicht im Clip, geschieht nichts.
"""

PAGES[706] = """
Verschiebt den Clip auf die oberste Spur, vor alle anderen. [[Nach oben|707]],
[[Nach unten|708]] und [[Ganz nach unten|709]] verschieben ihn um eine Zeile oder nach
hinten.
"""

PAGES[707] = """
Verschiebt den Clip eine Spur nach oben, vor die Clips der Spur, die er passiert.
"""

PAGES[708] = """
Verschiebt den Clip eine Spur nach unten, hinter die Clips der Spur, die er
passiert.
"""

PAGES[709] = """
Verschiebt den Clip auf die unterste Spur, hinter alle anderen.
"""

PAGES[704] = """
Macht diesen Klang zum einzigen, der zu hören ist: Solange ein Clip der
Audio-Master ist, sind die anderen Clips in der Vorschau und im gerenderten Film
stumm. Angeboten für reine Tonclips des obersten Arrangements;
[[Audio-Master entfernen|705]] beendet das.
"""

PAGES[705] = """
Beendet den Audio-Master ([[Als Audio-Master festlegen|704]]): Jeder Clip ist wieder zu hören.
"""

# Die eigenen Befehle der Effektliste (ihr Rechtsklickmenü und die Befehlstabelle).
PAGES[761] = """
Nimmt den aktuellen Effekt mit seinen Variablen und Keyframes vom Clip. Der
Effekt darunter in der Liste wird zum aktuellen. Klicken Sie mit der rechten
Maustaste auf den Effekt in der Liste über den [[Parametern|494]] und wählen Sie
Effekt entfernen; [[Rückgängig|343]] holt ihn bis zum nächsten
[[Übernehmen|342]] zurück.
"""

PAGES[762] = """
Verschiebt den aktuellen Effekt in der Liste des Clips um einen Platz nach oben, so
dass er einen Schritt früher läuft. Effekte laufen von oben nach unten durch die
Liste, jeder auf dem, was die darüber erzeugt haben: [[Weichzeichnen|149]] über
einem [[Grün-Key|30]] macht das Bild vor dem Key weicher, darunter auch die Kante
des Keys.
"""

PAGES[763] = """
Verschiebt den aktuellen Effekt in der Liste des Clips um einen Platz nach unten,
so dass er einen Schritt später läuft, auf dem, was die Effekte darüber erzeugt
haben. Zusammen mit [[Effekt nach oben|762]] lässt sich ein Effekt vor und nach
einem anderen ausprobieren.
"""

PAGES[772] = """
Der Hüllkurvenstreifen des Arrangements: eine Lautstärkekurve, aus dem Ton eines
Clips gewonnen, der andere Clips folgen können, zum Beispiel um die Musik
abzusenken, während eine Stimme spricht. Klicken Sie mit der rechten Maustaste auf
einen Clip mit Ton im ((Arrangementfenster|353)) und öffnen Sie Hüllkurve:
- Audio-Hüllkurve ermitteln liest die Lautstärke des Clips in den Streifen.
- Invertieren stellt sie auf den Kopf (laut wird leise), genau das, was Ducking
  braucht.
- Voller Bereich dehnt sie auf den ganzen Bereich.
- Release vorwärts, Release rückwärts und Release in beide Richtungen glätten sie, so dass der Pegel
  nach einer lauten Stelle langsam zurückgeht.
- In den Clip-Streifen kopiert den Streifen als Keyframes in die aktuelle Variable
  des Clips; Aus dem Clip-Streifen liest diese Variable zurück in den Streifen.
Das Tutorial [[Ton mischen und absenken|7/tuts/audio.vrh]] zeigt es Schritt für
Schritt.
"""

PAGES[870] = """
Alles auswählen (Strg+A) wählt jeden Clip des gezeigten Arrangements. Was
ausgewählt ist, bewegt sich gemeinsam: Ziehen Sie einen der Clips, folgen
alle anderen mit gleichem Abstand; Duplizieren kopiert sie alle, und
[[Löschen|36]] (oder die Entf-Taste) fragt einmal für alle. Das ganze
Verschieben, Kopieren oder Löschen ist ein Schritt, den Strg+Z zurücknimmt.

Im [[Arrangement|353]]:
- Ein Klick wählt einen Clip.
- Strg+Klick nimmt einen Clip zur Auswahl hinzu oder aus ihr heraus.
- Umschalt+Klick fügt jeden Clip zwischen dem aktuellen und dem angeklickten
  hinzu: ihre Spuren und die Zeit vom früheren Anfang bis zum späteren Ende.
- Ziehen über leerer Fläche zeichnet ein Rechteck; die Clips, die es berührt,
  werden ausgewählt (mit gehaltener Strg- oder Umschalttaste hinzugefügt).

Ausgewählte Clips haben einen hellen Rahmen, der aktuelle Clip, dessen Werte
die Bereiche zeigen, einen orangefarbenen.
"""

PAGES[890] = """
Die Tasten des Editors. Jede ist auch ein Eintrag der Menüleiste, die die
Taste neben dem Befehl zeigt.

Abspielen:
- Die Leertaste spielt das Arrangement ab der aktuellen Zeit mit Ton ab, so
  wie Rendern es schreiben würde: Überblendungen, Effekte, Titel und die
  Mischung. Die Leertaste hält wieder an, und die Zeit bleibt, wo angehalten
  wurde.
- L spielt vorwärts; L noch einmal verdoppelt die Geschwindigkeit, bis zum
  Achtfachen.
- J spielt rückwärts (nur Bild, kein Ton); J noch einmal verdoppelt die
  Geschwindigkeit.
- K hält an. Halten Sie K und drücken Sie L oder J, um ein Bild vor oder
  zurück zu gehen.
- Esc hält ebenfalls eine Wiedergabe oder ein Rendern an.

Bewegen:
- Pos1 und Ende gehen zum Anfang und zum Ende des Arrangements.
- Bild auf und Bild ab gehen zur vorigen und zur nächsten Clipkante, dem
  Anfang oder Ende irgendeines Clips auf irgendeiner Spur.
- Die Pfeiltasten links und rechts gehen um eine Einheit des
  [[Quantisierens|339]]; 0 und 9 springen zu Anfang und Ende des aktuellen
  Clips; 1 bis 8 zu den Locators.
- I und O setzen Anfang und Ende des [[Renderbereichs|350]] auf die aktuelle
  Zeit.

Das Projekt:
- Strg+N [[Neues Projekt|99]], Strg+O [[Projekt öffnen|25]], Strg+S
  [[Projekt speichern|26]], Strg+Umschalt+S [[Speichern unter|27]], Strg+I
  [[Importieren|1]], Strg+M [[Rendern|360]].
- Strg+Z nimmt die letzte Bearbeitung zurück; Strg+Umschalt+Z oder Strg+Y
  stellt sie wieder her.
- Strg+A [[wählt jeden Clip|870]] des gezeigten Arrangements; Entf löscht die
  Auswahl nach einer Rückfrage.
- Strg+Q beendet; ein geändertes Projekt fragt vorher, ob es gespeichert
  werden soll, wie beim Schließen des Fensters.

Die Bereiche: Ziffernblock 7, 8, 9, 4, 6, 1, 2 und 3 geben einer Seite das
ganze Fenster, Ziffernblock 5 bringt die vier Bereiche zurück, F9 vergrößert
den Bereich unter dem Mauszeiger. F1 öffnet die Seite dessen, was unter dem
Mauszeiger liegt; Druck kopiert das Vorschaubild.
"""

PAGES[891] = """
Die Tutorials führen Sie Schritt für Schritt durch den Editor; jedes bewegt
den Mauszeiger und drückt die Schaltflächen für Sie, und Sie können es
jederzeit anhalten.

- [[Ein erstes Projekt aus den Beispielen|7/tuts/first.vrh]]
- [[Das Beispielprojekt ansehen|7/tuts/example.vrh]]
- [[Keyframes|7/tuts/keys.vrh]]
- [[Ein Green-Screen-Key|7/tuts/greenkey.vrh]]
- [[Eine Wischblende von einem Clip zum nächsten|7/tuts/wipe.vrh]]
- [[Ton und seine Lautstärke|7/tuts/audio.vrh]]
- [[Das Ergebnis als Datei rendern|7/tuts/make.vrh]]

[[Alle Tutorials|7/tuts/menu.vrh]] listet sie mit einer Zeile zu jedem.
Die [[Tasten|890]] des Editors haben eine eigene Seite.
"""
