import java.awt.Component;
import java.awt.Container;
import java.awt.Dialog;
import java.awt.Frame;
import java.awt.Rectangle;
import java.awt.Window;
import java.awt.event.WindowEvent;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.PrintStream;
import java.lang.reflect.Field;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.EventListener;
import java.util.List;
import java.util.TreeSet;
import javax.swing.AbstractButton;
import javax.swing.JComboBox;
import javax.swing.JComponent;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.JPasswordField;
import javax.swing.JScrollPane;
import javax.swing.JTextField;
import javax.swing.JViewport;
import javax.swing.RootPaneContainer;
import javax.swing.SwingUtilities;
import javax.swing.text.JTextComponent;

/**
 * Runs the main method of each example class named on the command line, waits for its window
 * and prints, from the event thread, what Swing shows: the window's class, title, outer size and
 * flags; for every component field of the class its Swing class, bounds, parent, text, tool tip
 * and the events its listeners from the class answer; and which overlapping controls Swing puts
 * on top. After the last class it closes that window as its close box would, and the class's
 * own window listener must end the program with code 0.
 *
 * Output lines are tab-separated; texts are written in UTF-8 with backslash, control characters
 * and tabs as \\ and backslash-u escapes, so that every item stays on one line.
 */
public final class SwingProbe {
    private static final long WAIT_MS = 15000;
    private static final int STEADY_POLLS = 4;

    private static PrintStream out;

    public static void main(String[] args) throws Exception {
        out = new PrintStream(new FileOutputStream(FileDescriptor.out), true, "UTF-8");
        Thread watchdog = new Thread(() -> {
            try {
                Thread.sleep(4 * WAIT_MS);
            } catch (InterruptedException e) {
                return;
            }
            out.println("error\tthe probe took too long");
            Runtime.getRuntime().halt(3);
        });
        watchdog.setDaemon(true);
        watchdog.start();

        awaitWindowManager();
        for (int i = 0; i < args.length; i++) {
            Class<?> example = Class.forName(args[i]);
            Window window = start(example);
            SwingUtilities.invokeAndWait(() -> describe(example, window));
            out.println("end\t" + example.getName());
            if (i + 1 < args.length) {
                SwingUtilities.invokeAndWait(window::dispose);
            } else {
                SwingUtilities.invokeAndWait(() -> window.dispatchEvent(
                        new WindowEvent(window, WindowEvent.WINDOW_CLOSING)));
                Thread.sleep(WAIT_MS);
                out.println("error\tclosing " + example.getName() + " did not end the program");
                System.exit(4);
            }
        }
    }

    /**
     * Waits for the window manager: a window shown before it runs is framed late, and Java then
     * keeps the inner size rather than the outer one.
     */
    private static void awaitWindowManager() throws Exception {
        JFrame[] frame = new JFrame[1];
        SwingUtilities.invokeAndWait(() -> {
            frame[0] = new JFrame("SwingProbe");
            frame[0].setSize(200, 100);
            frame[0].setVisible(true);
        });
        awaitSteady(JFrame.class, "the window manager to frame a window");
        SwingUtilities.invokeAndWait(frame[0]::dispose);
    }

    /** Starts the class's main on a thread of its own (a modal dialog's show() blocks it). */
    private static Window start(Class<?> example) throws Exception {
        Method main = example.getMethod("main", String[].class);
        Thread runner = new Thread(() -> {
            try {
                main.invoke(null, (Object) new String[0]);
            } catch (ReflectiveOperationException e) {
                e.printStackTrace();
                Runtime.getRuntime().halt(5);
            }
        });
        runner.setDaemon(true);
        runner.start();
        return awaitSteady(example, "a window of " + example.getName());
    }

    /**
     * The showing window of the class once the window manager has framed it and its bounds and
     * insets have held still for a while: Java may first size a window for the frame insets it
     * guessed and correct that when the real ones arrive.
     */
    private static Window awaitSteady(Class<?> windowClass, String what) throws Exception {
        long deadline = System.currentTimeMillis() + WAIT_MS;
        Window[] found = new Window[1];
        String[] state = {""};
        int steady = 0;
        while (System.currentTimeMillis() < deadline) {
            String last = state[0];
            SwingUtilities.invokeAndWait(() -> {
                found[0] = null;
                state[0] = "";
                for (Window window : Window.getWindows())
                    if (windowClass.isInstance(window) && window.isShowing() && framed(window)) {
                        found[0] = window;
                        state[0] = window.getBounds() + " " + window.getInsets();
                    }
            });
            steady = found[0] != null && state[0].equals(last) ? steady + 1 : 0;
            if (steady == STEADY_POLLS)
                return found[0];
            Thread.sleep(50);
        }
        throw new IllegalStateException("timed out waiting for " + what);
    }

    /** Whether the window manager has put its frame, with a title bar, around the window. */
    private static boolean framed(Window window) {
        return window.getInsets().top > 0;
    }

    private static void describe(Class<?> example, Window window) {
        boolean modal = window instanceof Dialog dialog && dialog.isModal();
        boolean resizable = window instanceof Dialog dialog ? dialog.isResizable()
                : ((Frame) window).isResizable();
        String title = window instanceof Dialog dialog ? dialog.getTitle()
                : ((Frame) window).getTitle();
        Container content = ((RootPaneContainer) window).getContentPane();
        out.println(String.join("\t", "window", window.getClass().getSuperclass().getName(),
                "title=" + escape(title),
                "size=" + window.getWidth() + "x" + window.getHeight(),
                "framed=" + framed(window),
                "resizable=" + resizable, "modal=" + modal,
                "children=" + content.getComponentCount(),
                "closing=" + String.join(",",
                        handlers(example, window.getWindowListeners(), "Window"))));

        List<String> names = new ArrayList<>();
        List<Component> components = new ArrayList<>();
        for (Field field : example.getDeclaredFields()) {
            if (Modifier.isStatic(field.getModifiers())
                    || !Component.class.isAssignableFrom(field.getType()))
                continue;
            field.setAccessible(true);
            try {
                components.add((Component) field.get(window));
            } catch (IllegalAccessException e) {
                throw new IllegalStateException(e);
            }
            names.add(field.getName());
        }

        for (int i = 0; i < components.size(); i++) {
            Component component = components.get(i);
            List<String> items = new ArrayList<>();
            items.add("field");
            items.add(names.get(i));
            items.add(component.getClass().getName());
            if (component.getParent() == content) {
                Rectangle r = component.getBounds();
                items.add("bounds=" + r.x + "," + r.y + "," + r.width + "," + r.height);
            }
            items.add("in=" + place(component, content, names, components));
            String text = textOf(component);
            if (text != null)
                items.add("text=" + escape(text));
            if (component instanceof JComponent swing) {
                String tip = swing.getToolTipText();
                if (tip != null)
                    items.add("tip=" + escape(tip));
            }
            String events = events(example, component);
            if (!events.isEmpty())
                items.add("events=" + events);
            out.println(String.join("\t", items));
        }

        // Swing paints a container's children from the last to the first: a lower z-order
        // index is drawn on top.
        for (int a = 0; a < components.size(); a++)
            for (int b = 0; b < components.size(); b++) {
                Component upper = components.get(a);
                Component lower = components.get(b);
                if (upper.getParent() == content && lower.getParent() == content
                        && upper.getBounds().intersects(lower.getBounds())
                        && content.getComponentZOrder(upper) < content.getComponentZOrder(lower))
                    out.println("above\t" + names.get(a) + "\t" + names.get(b));
            }
    }

    private static String place(Component component, Container content, List<String> names,
            List<Component> components) {
        Container parent = component.getParent();
        if (parent == content)
            return "content";
        if (parent instanceof JViewport viewport && viewport.getView() == component
                && viewport.getParent() instanceof JScrollPane pane) {
            int owner = components.indexOf(pane);
            if (owner >= 0 && pane.getViewport() == viewport)
                return names.get(owner) + ".view";
        }
        return parent == null ? "nowhere" : parent.getClass().getName();
    }

    private static String textOf(Component component) {
        if (component instanceof JPasswordField password)
            return new String(password.getPassword());
        if (component instanceof JTextComponent text)
            return text.getText();
        if (component instanceof JLabel label)
            return label.getText();
        if (component instanceof AbstractButton button)
            return button.getText();
        return null;
    }

    /** The events answered by listeners that the example class itself registered. */
    private static String events(Class<?> example, Component component) {
        TreeSet<String> events = new TreeSet<>();
        events.addAll(handlers(example, component.getKeyListeners(), "Key"));
        events.addAll(handlers(example, component.getMouseListeners(), "Mouse"));
        events.addAll(handlers(example, component.getFocusListeners(), "Focus"));
        EventListener[] actions = new EventListener[0];
        if (component instanceof AbstractButton button)
            actions = button.getActionListeners();
        else if (component instanceof JTextField field)
            actions = field.getActionListeners();
        else if (component instanceof JComboBox<?> box)
            actions = box.getActionListeners();
        events.addAll(handlers(example, actions, "Action"));
        return String.join(",", events);
    }

    /** kind:method for each handler method of the class's own listeners among these. */
    private static TreeSet<String> handlers(Class<?> example, EventListener[] listeners,
            String kind) {
        TreeSet<String> found = new TreeSet<>();
        for (EventListener listener : listeners) {
            if (!listener.getClass().getName().startsWith(example.getName() + "$"))
                continue;
            for (Method method : listener.getClass().getDeclaredMethods())
                if (!method.isSynthetic())
                    found.add(kind + ":" + method.getName());
        }
        return found;
    }

    private static String escape(String text) {
        if (text == null)
            return "(null)";
        StringBuilder escaped = new StringBuilder();
        for (char c : text.toCharArray()) {
            if (c == '\\')
                escaped.append("\\\\");
            else if (c < 0x20 || c == 0x7f)
                escaped.append(String.format("\\u%04x", (int) c));
            else
                escaped.append(c);
        }
        return escaped.toString();
    }
}
